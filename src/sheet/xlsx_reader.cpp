// .xlsx reading: the zip package through libgsf, every part streamed through
// expat. Only the shared strings, the number formats and the kept cells stay
// in memory.
#include <charconv>
#include <cstdlib>
#include <map>

#include "sheet/cell_text.h"
#include "sheet/gsf_support.h"
#include "sheet/workbook_formats.h"
#include "sheet/xlsx_package.h"

namespace veltrane::sheet_internal {
namespace {

// OOXML writes characters XML cannot carry as "_xHHHH_".
std::string UnescapeOoxml(std::string text) {
  size_t at = text.find("_x");
  if (at == std::string::npos) return text;
  std::string out;
  size_t done = 0;
  for (; at != std::string::npos; at = text.find("_x", at + 1)) {
    if (at < done || at + 7 > text.size() || text[at + 6] != '_') continue;
    unsigned code = 0;
    auto [end, ec] = std::from_chars(text.data() + at + 2,
                                     text.data() + at + 6, code, 16);
    if (ec != std::errc() || end != text.data() + at + 6) continue;
    out.append(text, done, at - done);
    if (code < 0x80) {
      out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (code >> 6)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (code >> 12)));
      out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
    done = at + 7;
  }
  out.append(text, done);
  return out;
}

// "B12" to (row 11, column 1).
bool ParseCellReference(std::string_view ref, uint32_t& row, uint32_t& column) {
  size_t letters = 0;
  while (letters < ref.size() && ref[letters] >= 'A' && ref[letters] <= 'Z') {
    ++letters;
  }
  uint32_t c = ColumnFromLetters(ref.substr(0, letters));
  uint32_t r = 0;
  auto [end, ec] = std::from_chars(ref.data() + letters,
                                   ref.data() + ref.size(), r);
  if (c == 0 || r == 0 || ec != std::errc() || end != ref.data() + ref.size()) {
    return false;
  }
  row = r - 1;
  column = c - 1;
  return true;
}

class SharedStringsHandler : public XmlHandler {
 public:
  std::vector<std::string> strings;
  void Start(std::string_view name, const char**) override {
    if (name == "si") {
      current_.clear();
    } else if (name == "rPh") {
      ++phonetic_;
    } else if (name == "t" && phonetic_ == 0) {
      in_text_ = true;
    }
  }
  void End(std::string_view name) override {
    if (name == "si") {
      strings.push_back(UnescapeOoxml(std::move(current_)));
      current_.clear();
    } else if (name == "rPh") {
      --phonetic_;
    } else if (name == "t") {
      in_text_ = false;
    }
  }
  void Text(std::string_view text) override {
    if (in_text_) current_.append(text);
  }

 private:
  std::string current_;
  int phonetic_ = 0;
  bool in_text_ = false;
};

class StylesHandler : public XmlHandler {
 public:
  std::vector<NumberKind> xf_kinds;  // by cell style index
  void Start(std::string_view name, const char** a) override {
    if (name == "numFmt") {
      auto id = ParseUnsigned(Attribute(a, "numFmtId"));
      const char* code = Attribute(a, "formatCode");
      if (id && code) custom_[*id] = KindOfFormatCode(code);
    } else if (name == "cellXfs") {
      in_cell_xfs_ = true;
    } else if (name == "xf" && in_cell_xfs_) {
      uint32_t id = ParseUnsigned(Attribute(a, "numFmtId")).value_or(0);
      auto it = custom_.find(id);
      xf_kinds.push_back(it != custom_.end()
                             ? it->second
                             : KindOfBuiltinFormat(static_cast<int>(id)));
    }
  }
  void End(std::string_view name) override {
    if (name == "cellXfs") in_cell_xfs_ = false;
  }
  void Text(std::string_view) override {}

 private:
  std::map<uint32_t, NumberKind> custom_;
  bool in_cell_xfs_ = false;
};

class SheetHandler : public XmlHandler {
 public:
  SheetHandler(Sheet& sheet, const std::vector<std::string>& strings,
               const std::vector<NumberKind>& kinds, bool date1904)
      : sheet_(sheet), strings_(strings), kinds_(kinds), date1904_(date1904) {}

  void Start(std::string_view name, const char** a) override {
    if (name == "row") {
      auto r = ParseUnsigned(Attribute(a, "r"));
      row_ = r && *r > 0 ? *r - 1 : next_row_;
      next_row_ = row_ + 1;
      next_column_ = 0;
    } else if (name == "c") {
      in_cell_ = true;
      value_.clear();
      uint32_t row = row_, column = next_column_;
      const char* ref = Attribute(a, "r");
      if (ref && ParseCellReference(ref, row, column)) row_ = row;
      column_ = column;
      next_column_ = column + 1;
      const char* t = Attribute(a, "t");
      type_ = t ? t : "n";
      style_ = ParseUnsigned(Attribute(a, "s")).value_or(0);
    } else if (in_cell_ && (name == "v" || (name == "t" && phonetic_ == 0))) {
      in_value_ = true;
    } else if (name == "rPh") {
      ++phonetic_;
    }
  }

  void End(std::string_view name) override {
    if (name == "c" && in_cell_) {
      in_cell_ = false;
      StoreCell();
    } else if (name == "v" || name == "t") {
      in_value_ = false;
    } else if (name == "rPh") {
      --phonetic_;
    }
  }

  void Text(std::string_view text) override {
    if (in_value_) value_.append(text);
  }

 private:
  void StoreCell() {
    if (row_ >= MaxRows(WorkbookFormat::kXlsx) ||
        column_ >= MaxColumns(WorkbookFormat::kXlsx)) {
      return;
    }
    std::string text;
    if (type_ == "s") {
      auto index = ParseUnsigned(value_.c_str());
      if (index && *index < strings_.size()) text = strings_[*index];
    } else if (type_ == "inlineStr" || type_ == "str") {
      text = UnescapeOoxml(std::move(value_));
    } else if (type_ == "b") {
      text = value_ == "1" ? "TRUE" : value_.empty() ? "" : "FALSE";
    } else if (type_ == "e") {
      text = value_;
    } else if (type_ == "d") {
      text = value_.substr(0, 10);
    } else if (!value_.empty()) {
      char* end = nullptr;
      double number = std::strtod(value_.c_str(), &end);
      if (end && *end == '\0') {
        NumberKind kind =
            style_ < kinds_.size() ? kinds_[style_] : NumberKind::kNumber;
        text = FormatCellNumber(number, kind, date1904_);
      } else {
        text = value_;
      }
    }
    sheet_.SetCell(row_, column_, text);
  }

  Sheet& sheet_;
  const std::vector<std::string>& strings_;
  const std::vector<NumberKind>& kinds_;
  bool date1904_;
  uint32_t row_ = 0, next_row_ = 0, column_ = 0, next_column_ = 0;
  uint32_t style_ = 0;
  std::string type_, value_;
  bool in_cell_ = false, in_value_ = false;
  int phonetic_ = 0;
};

}  // namespace

Workbook ReadXlsx(const std::string& path, const SheetSelection& which) {
  XlsxPackage file(path);
  const WorkbookHandler& book = file.book();
  const RelsHandler& rels = file.rels();

  Workbook workbook;
  for (const SheetEntry& entry : book.sheets) workbook.sheets.emplace_back(entry.name);
  workbook.active = book.active < workbook.sheets.size() ? book.active : 0;
  std::vector<bool> wanted = WantedSheets(workbook, which, path);

  SharedStringsHandler strings;
  StylesHandler styles;
  for (const auto& [id, target] : rels.targets) {
    std::string part = file.PartOf(target);
    if (part.ends_with("sharedStrings.xml")) file.Parse(part, strings, false);
    if (part.ends_with("styles.xml")) file.Parse(part, styles, false);
  }
  for (size_t i = 0; i < book.sheets.size(); ++i) {
    if (!wanted[i]) continue;
    auto target = rels.targets.find(book.sheets[i].rel_id);
    if (target == rels.targets.end()) continue;
    SheetHandler handler(workbook.sheets[i], strings.strings, styles.xf_kinds,
                         book.date1904);
    file.Parse(file.PartOf(target->second), handler, false);
  }
  return workbook;
}

}  // namespace veltrane::sheet_internal
