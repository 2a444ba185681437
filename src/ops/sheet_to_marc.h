// "EXCEL转MARC": each row of a workbook's active sheet becomes one CNMARC
// record, its cells mapped to fields by the column table.
#ifndef VELTRANE_OPS_SHEET_TO_MARC_H_
#define VELTRANE_OPS_SHEET_TO_MARC_H_

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "ops/completion.h"
#include "ops/operation.h"

namespace veltrane {

// A data row of the column table asg2. It takes part when `spec` has 3 or 4
// bytes and `number` is a whole number above 0.
struct ColumnMapping {
  std::string number;   // "列号": the sheet column, from 1
  std::string heading;  // "列名（第一行）": the column's first-row text, trimmed
  std::string spec;     // "对应MARC字段"
};

// The field a first-row text maps to ("ISBN" -> "010a", "书名" -> "200a",
// ...); empty when no rule matches. Exact and case-sensitive.
std::string FieldSpecForHeading(std::string_view heading);

// "打开...": one row per column of the active sheet's used block, in sheet
// order, with the field of its first-row text. Throws WorkbookError.
std::vector<ColumnMapping> ProposeColumnTable(const std::string& sheet_file);

struct SheetToMarcOptions {
  std::string sheet_file;               // RzEdit23
  std::string marc_file;                // RzEdit24
  std::vector<ColumnMapping> columns;   // asg2
  bool first_row_too = false;           // chkExcelToMarc
  std::string institution;              // the institution name (UTF-8)
  std::time_t now = 0;                  // 0: the current time
};

struct SheetToMarcResult {
  int64_t records = 0;  // written
  int64_t failed = 0;   // rows whose record could not be written
  bool stopped = false;
  Completion completion;  // "EXCEL转MARC完成!", "共N条记录"
};

// The checks before a run, in order: the workbook ("请指定原始EXCEL文件。",
// emptied), the output name ("请指定要输出的文件名及路径！"), a 200a row
// ("必需指定书名字段200a！").
std::optional<InputProblem> CheckSheetToMarc(const SheetToMarcOptions& options);

// The warning shown (and the run then goes on) when one of 010a, 210c,
// 200f, 010d, 210d, 101a is mapped by no row; nullopt when all are.
std::optional<std::string> SuggestedFieldsWarning(
    const std::vector<ColumnMapping>& columns);

// Converts the rows from the used block's first row (with first_row_too)
// or the one after it to its last; the output file is replaced. Polls
// host.StopRequested() after each record: a stop keeps the records written.
// A row whose record is too long for ISO 2709 is logged and reported.
// Throws WorkbookError when the workbook cannot be read.
std::variant<InputProblem, SheetToMarcResult> RunSheetToMarc(
    const SheetToMarcOptions& options, OperationHost& host);

}  // namespace veltrane

#endif  // VELTRANE_OPS_SHEET_TO_MARC_H_
