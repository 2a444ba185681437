// Batch modification of a MARC file: one table of field operations applied
// to every record, in table order, optionally with the accession numbers
// (905 $b) generated afresh; every record is rebuilt (GetIsoText) and
// written, in source order, to a new file.
#ifndef VELTRANE_OPS_BATCH_MODIFY_H_
#define VELTRANE_OPS_BATCH_MODIFY_H_

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "ops/completion.h"
#include "ops/operation.h"

namespace veltrane {

class Grid;
class TMarcRecord;

// One row of the rule table, its four texts as the grid holds them (GBK).
struct BatchRule {
  std::string field;  // "字段": "801", "210c"
  std::string operation;  // "操作": "增加", "修改", "删除" or "改字段号"
  std::string indicator;  // "指示符"
  std::string content;    // "内容": "■" before each subfield code
};

// The operations of the "操作" drop-down, in its order (UTF-8).
inline constexpr const char* kBatchOperations[] = {"增加", "修改", "删除",
                                                   "改字段号"};

// The rule rows of a rule table: every row below the heading, columns 0-3.
std::vector<BatchRule> BatchRulesFromGrid(const Grid& grid);

// Applies `rules` to `record` in order; incomplete rows, rows with an
// invalid field and rows of another operation do nothing.
void ApplyBatchRules(const std::vector<BatchRule>& rules, bool add_when_missing,
                     TMarcRecord& record);

struct BatchModifyOptions {
  std::string marc_file;         // "原始MARC文件："
  std::string output_file;       // "修改后的文件："
  std::vector<BatchRule> rules;  // the table's rows, in order
  bool renumber = false;  // "905b（登录号）根据给定起始号和905f..."
  std::string start_number;       // "起始号："
  bool add_when_missing = false;  // chkModif_Mode
};

struct BatchModifyResult {
  int64_t records = 0;  // counted before the run
  int64_t written = 0;
  int64_t failed = 0;
  bool cancelled = false;
  std::string counter;    // with renumbering: the last range given
  Completion completion;  // with "共N条", N = records
};

// Checks, in order: the MARC file exists ("请指定原始MARC文件。"), the output
// name is not blank ("请指定要输出的文件名及路径！"), with renumbering a start
// number is given ("请输入起始登录号！"). A record that cannot be read or
// rebuilt (a field over 9,999 bytes) is logged and not written. The output
// replaces its target only when the run ends.
std::variant<InputProblem, BatchModifyResult> RunBatchModify(
    const BatchModifyOptions& options, OperationHost& host);

}  // namespace veltrane

#endif  // VELTRANE_OPS_BATCH_MODIFY_H_
