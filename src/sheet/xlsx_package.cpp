#include "sheet/xlsx_package.h"

#include <gsf/gsf-infile-zip.h>
#include <gsf/gsf-input-stdio.h>

#include <charconv>

#include "sheet/workbook_formats.h"

namespace veltrane::sheet_internal {

std::optional<uint32_t> ParseUnsigned(const char* text) {
  if (!text) return std::nullopt;
  uint32_t value = 0;
  std::string_view s(text);
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}

// "xl/" + "worksheets/sheet1.xml", with "/abs" and ".." resolved.
std::string ResolvePart(std::string_view base_dir, std::string_view target) {
  std::string joined = target.starts_with("/")
                           ? std::string(target.substr(1))
                           : std::string(base_dir) + std::string(target);
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= joined.size()) {
    size_t slash = joined.find('/', start);
    std::string part = joined.substr(
        start, slash == std::string::npos ? std::string::npos : slash - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  std::string out;
  for (const std::string& part : parts) out += (out.empty() ? "" : "/") + part;
  return out;
}

std::string DirectoryOf(const std::string& part) {
  size_t slash = part.rfind('/');
  return slash == std::string::npos ? "" : part.substr(0, slash + 1);
}

std::string RelsOf(const std::string& part) {
  size_t slash = part.rfind('/');
  std::string dir = slash == std::string::npos ? "" : part.substr(0, slash + 1);
  std::string file = slash == std::string::npos ? part : part.substr(slash + 1);
  return dir + "_rels/" + file + ".rels";
}

void RelsHandler::Start(std::string_view name, const char** a) {
  if (name != "Relationship") return;
  const char* id = Attribute(a, "Id");
  const char* target = Attribute(a, "Target");
  const char* type = Attribute(a, "Type");
  const char* mode = Attribute(a, "TargetMode");
  if (!id || !target || (mode && std::string_view(mode) == "External")) return;
  targets[id] = target;
  types[id] = type ? type : "";
  if (type && std::string_view(type).ends_with("/officeDocument")) {
    office_document = target;
  }
}

void WorkbookHandler::Start(std::string_view name, const char** a) {
  if (name == "sheet") {
    const char* sheet_name = Attribute(a, "name");
    const char* id = Attribute(a, "id");
    sheets.push_back({sheet_name ? sheet_name : "", id ? id : "",
                      ParseUnsigned(Attribute(a, "sheetId")).value_or(0)});
  } else if (name == "workbookView" && !seen_view_) {
    seen_view_ = true;
    active = ParseUnsigned(Attribute(a, "activeTab")).value_or(0);
  } else if (name == "workbookPr") {
    const char* v = Attribute(a, "date1904");
    date1904 = v && (std::string_view(v) == "1" || std::string_view(v) == "true");
  }
}

XlsxPackage::XlsxPackage(const std::string& path) : path_(path) {
  EnsureGsf();
  GError* error = nullptr;
  GsfPtr<GsfInput> input(gsf_input_stdio_new(path.c_str(), &error));
  if (!input) throw Damaged(path, TakeErrorText(error, "cannot open"));
  archive_.reset(gsf_infile_zip_new(input.get(), &error));
  if (!archive_) throw Damaged(path, TakeErrorText(error, "not a zip file"));
  RelsHandler package;
  Parse("_rels/.rels", package, false);
  workbook_part_ = package.office_document.empty()
                       ? "xl/workbook.xml"
                       : ResolvePart("", package.office_document);
  Parse(workbook_part_, book_, true);
  Parse(RelsOf(workbook_part_), rels_, false);
}

bool XlsxPackage::Parse(const std::string& part, XmlHandler& handler,
                        bool required) {
  GsfPtr<GsfInput> input = OpenMember(archive_.get(), part);
  if (!input) {
    if (required) throw NotAWorkbook(path_);
    return false;
  }
  std::string error = ParseXml(input.get(), handler);
  if (!error.empty()) throw Damaged(path_, part + ": " + error);
  return true;
}

std::optional<std::string> XlsxPackage::Read(const std::string& part) {
  GsfPtr<GsfInput> input = OpenMember(archive_.get(), part);
  if (!input) return std::nullopt;
  std::string bytes;
  if (!ReadChunks(input.get(), [&](std::string_view chunk, bool) {
        bytes.append(chunk);
        return true;
      })) {
    throw Damaged(path_, part);
  }
  return bytes;
}

std::string XlsxPackage::PartOf(const std::string& target) const {
  return ResolvePart(DirectoryOf(workbook_part_), target);
}

}  // namespace veltrane::sheet_internal
