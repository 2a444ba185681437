// Writing sheets into an existing .xlsx: the package is copied member by
// member; only the parts of the sheets concerned are replaced, and a new
// sheet adds its part, its relationship, its content type and its entry in
// the workbook. Everything else (the other sheets, styles, shared strings,
// drawings) is copied byte for byte. The calculation chain is dropped when a
// sheet is replaced, since it may name formulas that no longer exist; the
// spreadsheet rebuilds it.
#include <gsf/gsf-outfile-zip.h>
#include <gsf/gsf-output-memory.h>

#include <map>
#include <regex>
#include <set>

#include "sheet/workbook_formats.h"
#include "sheet/xlsx_package.h"

namespace veltrane::sheet_internal {
namespace {

constexpr char kWorksheetType[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "worksheet";
constexpr char kWorksheetContentType[] =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";

// XML text of a cell: markup characters escaped, CR kept as a character
// reference (a parser would fold it away), other control characters and a
// literal "_xHHHH_" in OOXML's own escape.
std::string XmlText(std::string_view raw) {
  std::string text = ProtectOoxmlEscapes(raw);
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\r': out += "&#13;"; break;
      case '\t': case '\n': out.push_back(static_cast<char>(c)); break;
      default:
        if (c < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "_x%04X_", c);
          out += escape;
        } else {
          out.push_back(static_cast<char>(c));
        }
    }
  }
  return out;
}

std::string WorksheetXml(const Sheet& sheet) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
      "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/"
      "main\"><dimension ref=\"";
  UsedBlock used = sheet.used();
  xml += used.empty() ? "A1"
                      : BlockAddress(used.first_row + used.rows,
                                     used.first_column + used.columns);
  xml += "\"/><sheetData>";
  bool open_row = false;
  uint32_t current = 0;
  sheet.ForEachCell([&](uint32_t row, uint32_t column, std::string_view text) {
    if (!open_row || row != current) {
      if (open_row) xml += "</row>";
      xml += "<row r=\"" + std::to_string(row + 1) + "\">";
      open_row = true;
      current = row;
    }
    xml += "<c r=\"" + ColumnLetters(column + 1) + std::to_string(row + 1) +
           "\" t=\"inlineStr\"><is><t xml:space=\"preserve\">" + XmlText(text) +
           "</t></is></c>";
  });
  if (open_row) xml += "</row>";
  xml += "</sheetData></worksheet>";
  return xml;
}

// Inserts `text` before the closing tag `</prefix:name>`; returns the
// prefix ("x:" or "") or nullopt when there is no such tag.
std::optional<std::string> InsertBeforeClose(std::string& xml,
                                             const std::string& name,
                                             const std::string& text) {
  std::smatch match;
  std::regex close("</([A-Za-z0-9_.-]+:)?" + name + "\\s*>");
  if (!std::regex_search(xml, match, close)) return std::nullopt;
  std::string prefix = match[1].str();
  std::string insert = std::regex_replace(text, std::regex("\\{P\\}"), prefix);
  xml.insert(static_cast<size_t>(match.position(0)), insert);
  return prefix;
}

void RemoveElementsNaming(std::string& xml, const std::string& element,
                          const std::string& part) {
  std::regex pattern("<([A-Za-z0-9_.-]+:)?" + element + "\\b[^>]*" +
                     std::regex_replace(part, std::regex("[.]"), "\\.") +
                     "\"[^>]*/>");
  xml = std::regex_replace(xml, pattern, "");
}

std::string AttributeValue(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '&') out += "&amp;";
    else if (c == '<') out += "&lt;";
    else if (c == '"') out += "&quot;";
    else out.push_back(c);
  }
  return out;
}

class ZipWriter {
 public:
  explicit ZipWriter(const std::string& path)
      : path_(path), memory_(gsf_output_memory_new()) {
    GError* error = nullptr;
    zip_.reset(gsf_outfile_zip_new(memory_.get(), &error));
    if (!zip_) throw CannotWrite(path, TakeErrorText(error, "zip"));
  }

  void Add(const std::string& name, std::string_view bytes) {
    GsfPtr<GsfOutput> member(gsf_outfile_new_child_full(
        zip_.get(), name.c_str(), FALSE, "compression-level", GSF_ZIP_DEFLATED,
        nullptr));
    if (!member ||
        !gsf_output_write(member.get(), bytes.size(),
                          reinterpret_cast<const guint8*>(bytes.data())) ||
        !gsf_output_close(member.get())) {
      throw CannotWrite(path_, name);
    }
  }

  std::string Finish() {
    if (!gsf_output_close(GSF_OUTPUT(zip_.get()))) throw CannotWrite(path_, "zip");
    const guint8* bytes =
        gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory_.get()));
    return std::string(reinterpret_cast<const char*>(bytes),
                       static_cast<size_t>(gsf_output_size(memory_.get())));
  }

 private:
  const std::string& path_;
  GsfPtr<GsfOutput> memory_;
  GsfPtr<GsfOutfile> zip_;
};

// Every member of the archive with its full name, in archive order.
void ListMembers(GsfInfile* dir, const std::string& prefix,
                 std::vector<std::string>& names) {
  int count = gsf_infile_num_children(dir);
  for (int i = 0; i < count; ++i) {
    const char* name = gsf_infile_name_by_index(dir, i);
    if (!name) continue;
    GsfPtr<GsfInput> child(gsf_infile_child_by_index(dir, i));
    if (!child) continue;
    std::string full = prefix + name;
    if (GSF_IS_INFILE(child.get()) &&
        gsf_infile_num_children(GSF_INFILE(child.get())) >= 0) {
      ListMembers(GSF_INFILE(child.get()), full + "/", names);
    } else {
      names.push_back(full);
    }
  }
}

}  // namespace

std::string XlsxWithSheets(const std::string& path,
                           const std::vector<Sheet>& sheets) {
  XlsxPackage package(path);
  const std::vector<SheetEntry>& entries = package.book().sheets;
  Workbook names;
  for (const SheetEntry& entry : entries) names.sheets.emplace_back(entry.name);

  std::map<std::string, std::string> replaced;  // part -> new bytes
  std::set<std::string> dropped;
  std::string workbook_xml = package.Read(package.workbook_part()).value_or("");
  std::string rels_part = RelsOf(package.workbook_part());
  std::optional<std::string> rels_xml = package.Read(rels_part);
  std::optional<std::string> types_xml = package.Read("[Content_Types].xml");
  if (!rels_xml || !types_xml) throw Damaged(path, "[Content_Types].xml");

  uint32_t next_sheet_id = 1;
  for (const SheetEntry& entry : entries) {
    next_sheet_id = std::max(next_sheet_id, entry.sheet_id + 1);
  }
  bool any_replaced = false;
  int next_number = 1;
  for (const Sheet& sheet : sheets) {
    const Sheet* old = names.FindSheet(sheet.name());
    if (old) {
      const SheetEntry& entry = entries[static_cast<size_t>(old - names.sheets.data())];
      auto target = package.rels().targets.find(entry.rel_id);
      if (target == package.rels().targets.end()) throw Damaged(path, entry.rel_id);
      replaced[package.PartOf(target->second)] = WorksheetXml(sheet);
      any_replaced = true;
      continue;
    }
    std::string part;
    do {
      part = "xl/worksheets/sheet" + std::to_string(next_number++) + ".xml";
    } while (OpenMember(package.archive(), part) || replaced.count(part));
    replaced[part] = WorksheetXml(sheet);
    std::string rel_id = "rIdVeltrane" + std::to_string(next_sheet_id);
    bool ok =
        InsertBeforeClose(workbook_xml, "sheets",
                          "<{P}sheet xmlns:vr=\"http://schemas.openxmlformats.org/"
                          "officeDocument/2006/relationships\" name=\"" +
                              AttributeValue(sheet.name()) + "\" sheetId=\"" +
                              std::to_string(next_sheet_id++) + "\" vr:id=\"" +
                              rel_id + "\"/>")
            .has_value() &&
        InsertBeforeClose(*rels_xml, "Relationships",
                          "<{P}Relationship Id=\"" + rel_id + "\" Type=\"" +
                              kWorksheetType + "\" Target=\"/" + part + "\"/>")
            .has_value() &&
        InsertBeforeClose(*types_xml, "Types",
                          "<{P}Override PartName=\"/" + part +
                              "\" ContentType=\"" + kWorksheetContentType +
                              "\"/>")
            .has_value();
    if (!ok) throw Damaged(path, package.workbook_part());
  }
  if (any_replaced) {
    for (const auto& [id, type] : package.rels().types) {
      if (!type.ends_with("/calcChain")) continue;
      std::string part = package.PartOf(package.rels().targets.at(id));
      dropped.insert(part);
      RemoveElementsNaming(*rels_xml, "Relationship",
                           package.rels().targets.at(id));
      RemoveElementsNaming(*types_xml, "Override", "/" + part);
    }
  }
  replaced[package.workbook_part()] = workbook_xml;
  replaced[rels_part] = *rels_xml;
  replaced["[Content_Types].xml"] = *types_xml;

  ZipWriter zip(path);
  std::vector<std::string> members;
  ListMembers(package.archive(), "", members);
  for (const std::string& member : members) {
    if (dropped.count(member)) continue;
    auto it = replaced.find(member);
    if (it != replaced.end()) {
      zip.Add(member, it->second);
      replaced.erase(it);
    } else {
      zip.Add(member, package.Read(member).value_or(""));
    }
  }
  for (const auto& [part, bytes] : replaced) zip.Add(part, bytes);
  return zip.Finish();
}

}  // namespace veltrane::sheet_internal
