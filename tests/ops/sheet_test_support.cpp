#include "ops/sheet_test_support.h"

#include "sheet/workbook_io.h"

namespace veltrane::testing {

Sheet SheetOf(const std::string& name, const Rows& rows) {
  Sheet sheet(name);
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size(); ++c) {
      sheet.SetCell(static_cast<uint32_t>(r), static_cast<uint32_t>(c),
                    rows[r][c]);
    }
  }
  return sheet;
}

void WriteSheets(const std::string& path, const std::vector<Sheet>& sheets) {
  WriteWorkbook(Workbook{sheets, 0}, path);
}

Rows RowsOf(const Sheet& sheet) {
  Rows rows;
  sheet.ForEachCell([&](uint32_t row, uint32_t column, std::string_view text) {
    if (rows.size() <= row) rows.resize(row + 1);
    if (rows[row].size() <= column) rows[row].resize(column + 1);
    rows[row][column] = text;
  });
  return rows;
}

Rows ReadSheetRows(const std::string& path, const std::string& name) {
  const Workbook workbook = ReadWorkbook(path);
  const Sheet* sheet = workbook.FindSheet(name);
  return sheet ? RowsOf(*sheet) : Rows{};
}

}  // namespace veltrane::testing
