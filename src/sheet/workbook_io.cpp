#include "sheet/workbook_io.h"

#include <algorithm>

#include "util/file_reader.h"

namespace veltrane {

uint32_t MaxRows(WorkbookFormat format) {
  return format == WorkbookFormat::kXls ? 65536 : 1048576;
}

uint32_t MaxColumns(WorkbookFormat format) {
  return format == WorkbookFormat::kXls ? 256 : 16384;
}

uint32_t MaxRecords(WorkbookFormat format) {
  return format == WorkbookFormat::kXls ? 65000 : 1048575;
}

WorkbookFormat FormatForName(const std::string& path) {
  std::string tail = path.size() >= 5 ? path.substr(path.size() - 5) : "";
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; });
  return tail == ".xlsx" ? WorkbookFormat::kXlsx : WorkbookFormat::kXls;
}

std::optional<WorkbookFormat> DetectWorkbookFormat(const std::string& path) {
  std::unique_ptr<FileReader> file = FileReader::Open(path);
  if (!file) return std::nullopt;
  std::string_view head;
  try {
    head = file->Peek(8);
  } catch (const std::system_error&) {
    return std::nullopt;
  }
  if (head == std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)) {
    return WorkbookFormat::kXls;
  }
  if (head.starts_with("PK\x03\x04")) return WorkbookFormat::kXlsx;
  return std::nullopt;
}

Workbook ReadWorkbook(const std::string& path, const SheetSelection&) {
  throw WorkbookError("读取EXCEL文件'" + path + "'：尚未实现");
}

void WriteWorkbook(const Workbook&, const std::string& path) {
  throw WorkbookError("写入EXCEL文件'" + path + "'：尚未实现");
}

SheetWriteResult WriteSheetsIntoWorkbook(const std::string& path,
                                         const std::vector<Sheet>&) {
  throw WorkbookError("写入EXCEL文件'" + path + "'：尚未实现");
}

Grid LoadGridFromWorkbook(const std::string& path) {
  Workbook workbook = ReadWorkbook(path, {SheetSelection::kActive, {}});
  const Sheet* sheet = workbook.active_sheet();
  if (!sheet) return Grid();
  UsedBlock block = sheet->used();
  Grid grid(static_cast<int>(block.columns), static_cast<int>(block.rows));
  sheet->ForEachCell([&](uint32_t row, uint32_t column, std::string_view text) {
    grid.SetCell(static_cast<int>(column - block.first_column),
                 static_cast<int>(row - block.first_row), std::string(text));
  });
  return grid;
}

Sheet SheetFromGrid(const Grid& grid, std::string name) {
  Sheet sheet(std::move(name));
  for (int r = 0; r < grid.rows(); ++r) {
    for (int c = 0; c < grid.columns(); ++c) {
      sheet.SetCell(static_cast<uint32_t>(r), static_cast<uint32_t>(c),
                    grid.Cell(c, r));
    }
  }
  return sheet;
}

SheetWriteResult SaveGridToWorkbook(const Grid& grid, const std::string& path,
                                    const std::string& sheet_name) {
  if (!sheet_name.empty() && DetectWorkbookFormat(path)) {
    return WriteSheetsIntoWorkbook(path, {SheetFromGrid(grid, sheet_name)});
  }
  Workbook workbook;
  workbook.sheets.push_back(
      SheetFromGrid(grid, sheet_name.empty() ? "Sheet1" : sheet_name));
  WriteWorkbook(workbook, path);
  return {};
}

}  // namespace veltrane
