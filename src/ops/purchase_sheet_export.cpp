#include "ops/purchase_sheet_export.h"

#include "db/main_data.h"
#include "ops/input_checks.h"
#include "ops/purchase_data.h"
#include "sheet/workbook_io.h"
#include "util/encoding.h"

namespace veltrane {

std::variant<InputProblem, PurchaseSheetExportResult> RunPurchaseSheetExport(
    const PurchaseSheetExportOptions& options, TMainData& data,
    OperationHost& host) {
  if (IsBlankName(options.sheet_file)) {
    return InputProblem{"请指定要输出的文件名及路径！", "sheet_file", false};
  }
  TableCursor& locale = data.LocaleTable();
  locale.Reopen();
  PurchaseSheetExportResult result;
  if (locale.RecordCount() > 0) {
    host.SetProgressTotal(locale.RecordCount());
    Workbook workbook;
    Sheet& sheet = workbook.sheets.emplace_back("Sheet1");
    uint32_t column = 0;
    for (const GridColumn& heading : kPurchaseGrid) {
      sheet.SetCell(0, column++, heading.heading);
    }
    for (; !locale.Eof(); locale.Next()) {
      const auto row = static_cast<uint32_t>(++result.rows);
      column = 0;
      for (const GridColumn& field : kPurchaseGrid) {
        sheet.SetCell(row, column++, GbkToUtf8(locale.Text(field.column)));
      }
      host.SetProgressPosition(result.rows);
    }
    locale.First();
    WriteWorkbook(workbook, options.sheet_file);
  }
  result.completion = {"导出完成!", ""};
  return result;
}

}  // namespace veltrane
