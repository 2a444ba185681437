#include "ops/batch_modify.h"

#include "marc/match.h"
#include "marc/record.h"
#include "ops/input_checks.h"
#include "sheet/grid.h"
#include "util/encoding.h"
#include "util/output_file.h"

namespace veltrane {
namespace {

// The operation names as the table holds them.
struct OperationNames {
  std::string add = Utf8ToGbk(kBatchOperations[0]);
  std::string modify = Utf8ToGbk(kBatchOperations[1]);
  std::string remove = Utf8ToGbk(kBatchOperations[2]);
  std::string change_tag = Utf8ToGbk(kBatchOperations[3]);
};

const OperationNames& Names() {
  static const OperationNames names;
  return names;
}

void ApplyRule(const BatchRule& rule, bool add_when_missing,
               TMarcRecord& record) {
  const OperationNames& names = Names();
  const std::string& f = rule.field;
  const std::string& o = rule.operation;
  const std::string indicator = rule.indicator.substr(0, 2);
  const std::string& c = rule.content;
  if (f.empty() || o.empty()) return;
  if (o == names.add && c.empty()) return;
  if (o == names.modify && indicator.empty() && c.empty()) return;
  if (o == names.change_tag && c.empty()) return;
  if (!IsValidFieldSpec(f)) return;
  if (o == names.add) {
    record.AddValue(f, indicator, c);
  } else if (o == names.modify) {
    record.ModifyValue(f, indicator, c, add_when_missing);
  } else if (o == names.remove) {
    record.DeleteValue(f);
  } else if (o == names.change_tag && f.size() == 3 && c.size() == 3) {
    record.ChangeTag(f, c);
  }
}

}  // namespace

std::vector<BatchRule> BatchRulesFromGrid(const Grid& grid) {
  std::vector<BatchRule> rules;
  for (int row = 1; row < grid.rows(); ++row) {
    rules.push_back({grid.Cell(0, row), grid.Cell(1, row), grid.Cell(2, row),
                     grid.Cell(3, row)});
  }
  return rules;
}

void ApplyBatchRules(const std::vector<BatchRule>& rules, bool add_when_missing,
                     TMarcRecord& record) {
  for (const BatchRule& rule : rules) ApplyRule(rule, add_when_missing, record);
}

std::variant<InputProblem, BatchModifyResult> RunBatchModify(
    const BatchModifyOptions& options, OperationHost& host) {
  if (!IsExistingFile(options.marc_file)) {
    return InputProblem{"请指定原始MARC文件。", "marc_file", true};
  }
  if (IsBlankName(options.output_file)) {
    return InputProblem{"请指定要输出的文件名及路径！", "output_file"};
  }
  if (options.renumber && options.start_number.empty()) {
    return InputProblem{"请输入起始登录号！", "start_number"};
  }
  if (auto problem = CheckRunFiles({{{options.marc_file, "marc_file"}},
                                    {{options.output_file, "output_file"}}})) {
    return *problem;
  }

  BatchModifyResult result;
  result.records = CountMarcRecords(options.marc_file);
  host.SetProgressTotal(result.records);
  OutputFile out(options.output_file);
  result.counter = options.start_number;
  bool first_range = true;
  FailureTally failures(host);
  ScanMarcFile(
      options.marc_file,
      [&](int64_t rec_no, std::string_view text, bool&) {
        TMarcRecord record = TMarcRecord::Create(text);
        ApplyBatchRules(options.rules, options.add_when_missing, record);
        if (options.renumber) {
          record.Regenerate905(result.counter, first_range);
          first_range = false;
        }
        out.WriteLine(record.GetIsoText());
        ++result.written;
        host.SetProgressPosition(rec_no);
      },
      failures);
  out.Commit();
  result.failed = failures.failed();
  result.cancelled = failures.cancelled();
  result.completion = {"MARC文件批量修改完成!",
                       RecordCountDetail(result.records)};
  return result;
}

}  // namespace veltrane
