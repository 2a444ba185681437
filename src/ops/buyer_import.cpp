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

// The page's checks: the file exists; a fixed number of copies that is a
// number fits the 32-bit count (other text counts as 1).
std::optional<InputProblem> CheckImport(const BuyerImportOptions& options) {
  if (!IsExistingFile(options.marc_file)) return MissingFile();
  if (options.copies.source == CopyOption::Source::kFixed &&
      ParseInteger(options.copies.fixed) &&
      !ParseIntText(options.copies.fixed)) {
    return InputProblem{"复本数超出范围：" + options.copies.fixed, "copies"};
  }
  return CheckRunFiles({{{options.marc_file, "marc_file"}}, {}});
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
  if (auto problem = CheckImport(options)) return *problem;
  const int64_t records = CountMarcRecords(options.marc_file);
  if (records == 0) return InputProblem{"原始MARC文件为空！", "marc_file", false};
  data.BuyerTable().Reopen();
  return BuyerImportPlan{data.BuyerTable().RecordCount(), records};
}

std::string BuyerImportQuestion(const BuyerImportPlan& plan) {
  if (plan.existing_rows == 0) return {};
  return "已存在采购方MARC数据  " + std::to_string(plan.existing_rows) +
         "条\n\n本次将导入" + std::to_string(plan.records) +
         "条数据\n\n\n是否继续导入？";
}

std::variant<InputProblem, BuyerImportResult> RunBuyerImport(
    const BuyerImportOptions& options, TMainData& data, OperationHost& host) {
  if (auto problem = CheckImport(options)) return *problem;
  host.SetProgressTotal(CountMarcRecords(options.marc_file));

  BuyerImportResult result;
  FailureTally tally(host);
  TMainData::Batch batch(data);
  bool stopped = false;
  try {
    result.records = ScanMarcFile(
        options.marc_file,
        [&](int64_t rec_no, std::string_view text, bool& cont) {
          TMarcRecord record = TMarcRecord::Create(text);
          data.AppendBuyerRow(record.GetValue("200a"), record.GetValue("010a"),
                              RecordCopies(options.copies, record), text);
          ++result.imported;
          host.SetProgressPosition(rec_no);
          if (host.StopRequested()) {
            stopped = true;
            cont = false;
          }
        },
        tally);
    batch.Commit();
  } catch (const DatabaseError& error) {
    // What was committed stays; say how much, as the table will show it.
    try {
      batch.Commit();
    } catch (const DatabaseError&) {
      // The rest is lost; the count below says what stays.
    }
    data.BuyerTable().Reopen();
    throw DatabaseError(std::string(error.what()) + "\n本次已导入" +
                        std::to_string(batch.committed()) + "条");
  }
  data.BuyerTable().Reopen();

  result.failed = tally.failed();
  result.cancelled = tally.cancelled() || stopped;
  result.completion = {stopped ? "导入已停止。" : "导入完成。",
                       RecordCountDetail(result.imported)};
  return result;
}

}  // namespace veltrane
