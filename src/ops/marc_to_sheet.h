// "MARC转EXCEL": chosen fields and subfields of every record of a MARC file
// into the first sheet of a new workbook, one column per field
// specification under the heading the user gave, one row per record.
#ifndef VELTRANE_OPS_MARC_TO_SHEET_H_
#define VELTRANE_OPS_MARC_TO_SHEET_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "ops/completion.h"
#include "ops/operation.h"

namespace veltrane {

// A data row of the field table asg3: a row takes part when its
// specification is not empty.
struct FieldColumn {
  std::string spec;     // "200" or "200a"
  std::string heading;  // UTF-8, may be empty
};

struct MarcToSheetOptions {
  std::string marc_file;            // RzEdit20
  std::string sheet_file;           // RzEdit21: .xlsx by name, else .xls
  std::vector<FieldColumn> fields;  // asg3, in table order
};

struct MarcToSheetResult {
  int64_t records = 0;
  int64_t failed = 0;
  Completion completion;  // "MARC转EXCEL完成!", "共N条"
};

// Checks, in order: the MARC file ("请指定原始MARC文件。", emptied), the
// workbook name ("请指定要输出的文件名及路径！"), then after counting: no
// record ("原始MARC文件为空！"), more than the limit, no field row
// ("请设置要输出的MARC字段，和对应在EXCEL表格中的表头名称！", input
// "fields"); the limit is 65000 records for .xls, 1048575 for .xlsx. A
// cell holds GetValue of its specification, delimiters shown as "■", decoded
// as GB18030. Records that cannot be read are reported and keep empty rows.
std::variant<InputProblem, MarcToSheetResult> RunMarcToSheet(
    const MarcToSheetOptions& options, OperationHost& host);

}  // namespace veltrane

#endif  // VELTRANE_OPS_MARC_TO_SHEET_H_
