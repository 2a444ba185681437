// The readers and writers of each workbook format, behind workbook_io.h, and
// the messages they share (not part of the public interface of sheet/).
#ifndef VELTRANE_SHEET_WORKBOOK_FORMATS_H_
#define VELTRANE_SHEET_WORKBOOK_FORMATS_H_

#include <string>
#include <string_view>
#include <vector>

#include "sheet/workbook.h"
#include "sheet/workbook_io.h"

namespace veltrane::sheet_internal {

// REQUIRES: the file's content is of that format (DetectWorkbookFormat).
Workbook ReadXls(const std::string& path, const SheetSelection& which);
Workbook ReadXlsx(const std::string& path, const SheetSelection& which);

// The complete file contents of a new workbook.
std::string XlsBytes(const Workbook& workbook, const std::string& path);
// Writes a new .xlsx to `temp_path` (the caller moves it into place).
void WriteXlsxFile(const Workbook& workbook, const std::string& temp_path,
                   const std::string& path);

// The bytes of a copy of the .xlsx `path` in which `sheets` replace the
// parts of the sheets of their names or are added as new sheets.
std::string XlsxWithSheets(const std::string& path,
                           const std::vector<Sheet>& sheets);

// `text` with every literal "_xHHHH_" turned into "_x005F_xHHHH_", so that
// a reader that decodes OOXML's escape for control characters gives the
// literal back.
std::string ProtectOoxmlEscapes(std::string_view text);

// UTF-8 to UTF-16LE code units; an invalid sequence becomes U+FFFD.
std::u16string Utf16(std::string_view utf8);

// For each sheet of `book` (names and active sheet read, no cells yet):
// whether the read keeps its cells. Throws WorkbookError naming the file for
// a named selection that no sheet matches.
std::vector<bool> WantedSheets(const Workbook& book, const SheetSelection& which,
                               const std::string& path);

// Throws WorkbookError naming the file for a sheet name a workbook cannot
// carry (empty, over 31 characters, one of []:*?/\, a leading or trailing
// apostrophe).
void CheckSheetNames(const std::vector<Sheet>& sheets, const std::string& path);

// Messages naming the file.
WorkbookError NotAWorkbook(const std::string& path);
WorkbookError Damaged(const std::string& path, std::string_view detail);
WorkbookError Encrypted(const std::string& path);
WorkbookError CannotWrite(const std::string& path, std::string_view detail);

}  // namespace veltrane::sheet_internal

#endif  // VELTRANE_SHEET_WORKBOOK_FORMATS_H_
