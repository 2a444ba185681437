// The parts of an .xlsx package that say what is where: the package and
// workbook relationships and the workbook's list of sheets (not part of the
// public interface of sheet/).
#ifndef VELTRANE_SHEET_XLSX_PACKAGE_H_
#define VELTRANE_SHEET_XLSX_PACKAGE_H_

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sheet/gsf_support.h"

namespace veltrane::sheet_internal {

std::optional<uint32_t> ParseUnsigned(const char* text);

// "xl/" + "worksheets/sheet1.xml", with "/absolute" and ".." resolved.
std::string ResolvePart(std::string_view base_dir, std::string_view target);
// "xl/" for "xl/workbook.xml".
std::string DirectoryOf(const std::string& part);
// "xl/_rels/workbook.xml.rels" for "xl/workbook.xml".
std::string RelsOf(const std::string& part);

class RelsHandler : public XmlHandler {
 public:
  std::map<std::string, std::string> targets;  // Id -> Target
  std::map<std::string, std::string> types;    // Id -> Type
  std::string office_document;                // Target of that type
  void Start(std::string_view name, const char** a) override;
  void End(std::string_view) override {}
  void Text(std::string_view) override {}
};

struct SheetEntry {
  std::string name, rel_id;
  uint32_t sheet_id = 0;
};

class WorkbookHandler : public XmlHandler {
 public:
  std::vector<SheetEntry> sheets;
  size_t active = 0;
  bool date1904 = false;
  void Start(std::string_view name, const char** a) override;
  void End(std::string_view) override {}
  void Text(std::string_view) override {}

 private:
  bool seen_view_ = false;
};

// An opened package with its workbook part, sheet list and relationships.
class XlsxPackage {
 public:
  // Throws WorkbookError naming `path` when the file is not a readable zip
  // package or has no workbook part.
  explicit XlsxPackage(const std::string& path);

  // Parses a part; false when the part is absent (a WorkbookError when it is
  // required, or when it is damaged).
  bool Parse(const std::string& part, XmlHandler& handler, bool required);
  // The bytes of a part; nullopt when absent. Throws when it cannot be read.
  std::optional<std::string> Read(const std::string& part);

  GsfInfile* archive() const { return archive_.get(); }
  const std::string& workbook_part() const { return workbook_part_; }
  const WorkbookHandler& book() const { return book_; }
  const RelsHandler& rels() const { return rels_; }
  // The part a workbook relationship points at.
  std::string PartOf(const std::string& target) const;

 private:
  const std::string path_;
  GsfPtr<GsfInfile> archive_;
  std::string workbook_part_;
  WorkbookHandler book_;
  RelsHandler rels_;
};

}  // namespace veltrane::sheet_internal

#endif  // VELTRANE_SHEET_XLSX_PACKAGE_H_
