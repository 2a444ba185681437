// Workbook fixtures for the operation tests: lists from rows, and sheets
// read back as rows.
#ifndef VELTRANE_TESTS_OPS_SHEET_TEST_SUPPORT_H_
#define VELTRANE_TESTS_OPS_SHEET_TEST_SUPPORT_H_

#include <string>
#include <vector>

#include "sheet/workbook.h"

namespace veltrane::testing {

using Rows = std::vector<std::vector<std::string>>;

// A sheet named `name` holding `rows` from A1.
Sheet SheetOf(const std::string& name, const Rows& rows);

// Writes a new workbook of these sheets (the first active).
void WriteSheets(const std::string& path, const std::vector<Sheet>& sheets);

// The cells of a sheet from A1 to the end of its used block; trailing empty
// cells of a row are dropped.
Rows RowsOf(const Sheet& sheet);

// RowsOf the sheet so named in the workbook at `path` (empty when none).
Rows ReadSheetRows(const std::string& path, const std::string& name);

}  // namespace veltrane::testing

#endif  // VELTRANE_TESTS_OPS_SHEET_TEST_SUPPORT_H_
