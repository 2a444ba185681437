// Reading and writing workbook files (.xls and .xlsx) without a spreadsheet
// program.
//
// Reading decides the format by the file's content, never by its name. A new
// file is written as .xlsx when its name ends in ".xlsx" (any case) and as
// .xls otherwise. Every write goes to a temporary file beside the target that
// is renamed over it when complete: a failed write leaves the user's file as
// it was. Every failure is a WorkbookError whose what() is a UTF-8 message
// that names the file.
#ifndef VELTRANE_SHEET_WORKBOOK_IO_H_
#define VELTRANE_SHEET_WORKBOOK_IO_H_

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "sheet/grid.h"
#include "sheet/workbook.h"

namespace veltrane {

class WorkbookError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class WorkbookFormat { kXls, kXlsx };

// Sheet sizes of each format, and the most data records a block with one
// heading row can carry (65000 for .xls, as the program has always allowed;
// 1048575 for .xlsx).
uint32_t MaxRows(WorkbookFormat format);
uint32_t MaxColumns(WorkbookFormat format);
uint32_t MaxRecords(WorkbookFormat format);

// The format a new file of this name is written in.
WorkbookFormat FormatForName(const std::string& path);

// The format of an existing file by its first bytes (an OLE2 compound file is
// .xls, a zip package is .xlsx); nullopt when it is neither or cannot be
// read.
std::optional<WorkbookFormat> DetectWorkbookFormat(const std::string& path);

// Which sheets a read keeps the cells of; the names of all sheets and the
// active sheet are always read.
struct SheetSelection {
  enum Kind { kAll, kActive, kNamed } kind = kAll;
  std::string name;  // kNamed: compared as Workbook::FindSheet does
};

// Reads a workbook. Cell texts follow the `ReadCell` rules (cell_text.h).
// .xlsx sheets are streamed: memory grows with the cells kept, not with the
// file. Throws WorkbookError for a missing or unreadable file, a file that is
// not a workbook (a text file named .xls), a damaged or truncated one, an
// encrypted one, and for kNamed when no sheet has that name.
Workbook ReadWorkbook(const std::string& path,
                      const SheetSelection& which = {});

// Writes a new workbook (format by name), replacing a file of that name only
// when complete. Sheets are written with their cells as texts, the active
// sheet marked active. Throws WorkbookError when the file cannot be written,
// a sheet exceeds the format's rows or columns, or the workbook has no sheet.
void WriteWorkbook(const Workbook& workbook, const std::string& path);

// What a write into an existing workbook did.
struct SheetWriteResult {
  // Set when only values of the other sheets could be kept (.xls): the
  // original file was first copied to this path (NAME.orig.xls).
  std::optional<std::string> original_copy;
};

// Writes `sheets` into the existing workbook `path`, each replacing the sheet
// of its name or added after the others; every other sheet keeps its values.
// An .xlsx keeps everything else of the file as it was (formatting, other
// parts): only the parts of the sheets concerned are replaced or added. An
// .xls is rewritten from its values, after the original was copied beside it
// as NAME.orig.xls (an existing copy of that name is left alone and the next
// free name NAME.orig2.xls, ... is used). The file keeps the format of its
// content. Throws WorkbookError as ReadWorkbook and WriteWorkbook do.
SheetWriteResult WriteSheetsIntoWorkbook(const std::string& path,
                                         const std::vector<Sheet>& sheets);

// `LoadGridFromWorkbook`: the used block of the active sheet, its first row
// in grid row 0, one grid row and column per sheet row and column, texts in
// UTF-8. An empty sheet gives an empty grid (no rows, no columns). Throws as
// ReadWorkbook.
Grid LoadGridFromWorkbook(const std::string& path);

// `SaveGridToWorkbook`: every grid cell (UTF-8 texts, headings included) from
// A1 of the sheet named `sheet_name` of `path`. With a name and an existing
// file, the sheet is replaced or added as WriteSheetsIntoWorkbook does;
// otherwise a new workbook is written whose one sheet has that name ("Sheet1"
// without a name). Throws WorkbookError.
SheetWriteResult SaveGridToWorkbook(const Grid& grid, const std::string& path,
                                    const std::string& sheet_name = {});

// A sheet named `name` holding the grid's cells from A1.
Sheet SheetFromGrid(const Grid& grid, std::string name);

}  // namespace veltrane

#endif  // VELTRANE_SHEET_WORKBOOK_IO_H_
