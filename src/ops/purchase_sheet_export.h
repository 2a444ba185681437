// "导出EXCEL >>>" of the maintenance page: the purchases (table locale) as
// the first sheet of a new workbook, headings "序号", "ISBN", "采购数量",
// "时间" in row 1, then one row per purchase, first to last.
#ifndef VELTRANE_OPS_PURCHASE_SHEET_EXPORT_H_
#define VELTRANE_OPS_PURCHASE_SHEET_EXPORT_H_

#include <cstdint>
#include <string>
#include <variant>

#include "ops/completion.h"
#include "ops/operation.h"

namespace veltrane {

class TMainData;

struct PurchaseSheetExportOptions {
  std::string sheet_file;  // the save dialog's name: .xlsx by name, else .xls
};

struct PurchaseSheetExportResult {
  int64_t rows = 0;
  int64_t failed = 0;     // always 0
  Completion completion;  // "导出完成!"
};

// Check: the name ("请指定要输出的文件名及路径！"). Texts are decoded as
// GB18030. An empty table writes nothing and still completes. Throws
// WorkbookError when the workbook cannot be written (also when the table has
// more rows than the format takes).
std::variant<InputProblem, PurchaseSheetExportResult> RunPurchaseSheetExport(
    const PurchaseSheetExportOptions& options, TMainData& data,
    OperationHost& host);

}  // namespace veltrane

#endif  // VELTRANE_OPS_PURCHASE_SHEET_EXPORT_H_
