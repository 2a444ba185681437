// New .xlsx files through libxlsxwriter in its constant-memory mode: rows go
// to disk as they are written, strings inline, so a large block costs no
// more memory than the model that holds it.
#include <xlsxwriter.h>

#include "sheet/workbook_formats.h"

namespace veltrane::sheet_internal {

std::string ProtectOoxmlEscapes(std::string_view text) {
  auto is_hex = [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') ||
           (c >= 'a' && c <= 'f');
  };
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '_' && i + 6 < text.size() && text[i + 1] == 'x' &&
        is_hex(text[i + 2]) && is_hex(text[i + 3]) && is_hex(text[i + 4]) &&
        is_hex(text[i + 5]) && text[i + 6] == '_') {
      out += "_x005F";
    }
    out.push_back(text[i]);
  }
  return out;
}

void WriteXlsxFile(const Workbook& workbook, const std::string& temp_path,
                   const std::string& path) {
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  lxw_workbook* book = workbook_new_opt(temp_path.c_str(), &options);
  if (!book) throw CannotWrite(path, "libxlsxwriter");
  auto fail = [&](const std::string& detail) {
    workbook_close(book);
    std::remove(temp_path.c_str());
    throw CannotWrite(path, detail);
  };
  const size_t active =
      workbook.active < workbook.sheets.size() ? workbook.active : 0;
  for (size_t i = 0; i < workbook.sheets.size(); ++i) {
    const Sheet& sheet = workbook.sheets[i];
    lxw_worksheet* worksheet = workbook_add_worksheet(book, sheet.name().c_str());
    if (!worksheet) fail("工作表名称'" + sheet.name() + "'不能用于EXCEL文件");
    UsedBlock used = sheet.used();
    if (used.first_row + used.rows > MaxRows(WorkbookFormat::kXlsx) ||
        used.first_column + used.columns > MaxColumns(WorkbookFormat::kXlsx)) {
      fail("工作表'" + sheet.name() + "'超出.xlsx文件的1048576行、16384列");
    }
    if (i == active) worksheet_activate(worksheet);
    std::string failure;
    sheet.ForEachCell([&](uint32_t row, uint32_t column, std::string_view text) {
      if (!failure.empty()) return;
      lxw_error rc = worksheet_write_string(worksheet, row,
                                            static_cast<lxw_col_t>(column),
                                            ProtectOoxmlEscapes(text).c_str(),
                                            nullptr);
      if (rc != LXW_NO_ERROR) {
        failure = "单元格" + ColumnLetters(column + 1) + std::to_string(row + 1) +
                  "：" + lxw_strerror(rc);
      }
    });
    if (!failure.empty()) fail(failure);
  }
  lxw_error rc = workbook_close(book);
  if (rc != LXW_NO_ERROR) {
    std::remove(temp_path.c_str());
    throw CannotWrite(path, lxw_strerror(rc));
  }
}

}  // namespace veltrane::sheet_internal
