// The import half of buyer_import.h: the copy option, the plan and question
// before an import, and the import itself.
#include "ops/buyer_import.h"

#include "db/main_data.h"
#include "ops/input_checks.h"
#include "ops/int_text.h"

namespace veltrane {
namespace {

InputProblem MissingFile() {
  return InputProblem{"指定的文件不存在！", "marc_file", false};
}

}  // namespace

int RecordCopies(const CopyOption& option, const TMarcRecord& record) {
  switch (option.source) {
    case CopyOption::Source::kFixed:
      return ParseIntText(option.fixed).value_or(1);
    case CopyOption::Source::kField:
      return ParseIntText(record.GetValue(option.field)).value_or(1);
    case CopyOption::Source::kOne:
      break;
  }
  return 1;
}

std::variant<InputProblem, BuyerImportPlan> PlanBuyerImport(
    const BuyerImportOptions& options, TMainData& data) {
  if (!IsExistingFile(options.marc_file)) return MissingFile();
  data.BuyerTable().Reopen();
  return BuyerImportPlan{data.BuyerTable().RecordCount(),
                         CountMarcRecords(options.marc_file)};
}

std::string BuyerImportQuestion(const BuyerImportPlan& plan) {
  if (plan.existing_rows == 0) return {};
  return "已存在采购方MARC数据  " + std::to_string(plan.existing_rows) +
         "条\n\n本次将导入" + std::to_string(plan.records) +
         "条数据\n\n\n是否继续导入？";
}

std::variant<InputProblem, BuyerImportResult> RunBuyerImport(
    const BuyerImportOptions& options, TMainData& data, OperationHost& host) {
  if (!IsExistingFile(options.marc_file)) return MissingFile();
  host.SetProgressTotal(CountMarcRecords(options.marc_file));

  BuyerImportResult result;
  FailureTally tally(host);
  TMainData::Batch batch(data);
  result.records = ScanMarcFile(
      options.marc_file,
      [&](int64_t rec_no, std::string_view text, bool&) {
        TMarcRecord record = TMarcRecord::Create(text);
        data.AppendBuyerRow(record.GetValue("200a"), record.GetValue("010a"),
                            RecordCopies(options.copies, record), text);
        ++result.imported;
        host.SetProgressPosition(rec_no);
      },
      tally);
  batch.Commit();
  data.BuyerTable().Reopen();

  result.failed = tally.failed();
  result.cancelled = tally.cancelled();
  result.completion = {"导入完成。", RecordCountDetail(result.imported)};
  return result;
}

}  // namespace veltrane
