// The MARC check: input checks, the buyer index, then one pass over the
// supplier's file. Progress runs twice: over the buyer records while they are
// indexed, then over the supplier records.
//
// Unreadable records (no numeric base address) under the field and ISBN
// rules, where the nested comparison would fail:
// - a buyer record is reported once, while the index is built (the file's
//   scan logs it; a table row is logged here under the database's path and
//   its recno), and the host decides whether to go on; stopping ends the run
//   before any output is created. Afterwards it matches only supplier
//   records of identical text.
// - a supplier record matches only buyer records of identical text; its
//   outputs are written as for any record (the lacks output when nothing
//   matched), then it is reported by the supplier's scan.
// Under the identical-record rule no record is read, so none is reported.
#include "ops/marc_check.h"

#include <memory>
#include <optional>

#include "db/main_data.h"
#include "marc/match_fields.h"
#include "marc/record.h"
#include "ops/buyer_index.h"
#include "ops/buyer_records.h"
#include "ops/input_checks.h"
#include "util/output_file.h"
#include "util/text.h"

namespace veltrane {
namespace {

constexpr char kCompletion[] = "利用双方MARC数据自动匹配查重完成!";

std::optional<InputProblem> CheckInputs(const MarcCheckOptions& options,
                                        const TMainData* data,
                                        std::string_view fields) {
  if (options.buyer_source == BuyerSource::kNone ||
      (options.buyer_source == BuyerSource::kDatabase && data == nullptr)) {
    return InputProblem{"请指定采购方数据源。", "buyer_source"};
  }
  if (options.buyer_source == BuyerSource::kFile &&
      !IsExistingFile(options.buyer_file)) {
    return InputProblem{"请指定采购方数据源。", "buyer_file"};
  }
  if (!IsExistingFile(options.supplier_file)) {
    return InputProblem{"请指定供应商方数据源。", "supplier_file"};
  }
  if (options.rule == MatchRule::ListedFields && !IsValidFieldList(fields)) {
    return InputProblem{"查重字段书写错误!\n\n请参考例子或说明", "fields"};
  }
  if (IsBlankName(options.lacks_file) && IsBlankName(options.common_file)) {
    return InputProblem{"最少需要指定一个输出文件。", "lacks_file"};
  }
  RunFiles files{{{options.supplier_file, "supplier_file"}},
                 {{options.lacks_file, "lacks_file"},
                  {options.common_file, "common_file"}}};
  if (options.buyer_source == BuyerSource::kFile) {
    files.inputs.push_back({options.buyer_file, "buyer_file"});
  }
  return CheckRunFiles(files);
}

}  // namespace

std::string CleanFieldList(std::string_view fields) {
  fields = Trim(fields);
  if (fields.starts_with(',')) fields.remove_prefix(1);
  if (fields.ends_with(',')) fields.remove_suffix(1);
  return std::string(fields);
}

bool IsValidFieldList(std::string_view fields) {
  size_t start = 0;
  while (true) {
    size_t comma = fields.find(',', start);
    if (!IsValidFieldSpec(fields.substr(start, comma - start))) return false;
    if (comma == std::string_view::npos) return true;
    start = comma + 1;
  }
}

std::optional<std::string> EmptyBuyerTableMessage(TMainData& data) {
  data.BuyerTable().Reopen();
  if (data.BuyerTable().RecordCount() > 0) return std::nullopt;
  return "“现场采购”模块中并没有导入采购方MARC数据。";
}

std::variant<InputProblem, MarcCheckResult> RunMarcCheck(
    const MarcCheckOptions& options, TMainData* data, OperationHost& host) {
  const std::string fields = options.rule == MatchRule::ListedFields
                                 ? CleanFieldList(options.fields)
                                 : options.fields;
  if (std::optional<InputProblem> problem =
          CheckInputs(options, data, fields)) {
    return *problem;
  }

  MarcCheckResult result;
  result.completion = {kCompletion, ""};
  FailureTally failures(host);
  std::unique_ptr<BuyerRecords> buyers =
      options.buyer_source == BuyerSource::kDatabase
          ? BuyerTableRecords(*data)
          : BuyerFileRecords(options.buyer_file);
  BuyerIndex index(options.rule, fields, options.threshold, options.isbn_keys);
  bool go_on = buyers->AddTo(index, failures, host);
  result.failed = failures.failed();
  if (!go_on) {
    result.cancelled = true;
    return result;
  }

  host.SetProgressTotal(CountMarcRecords(options.supplier_file));
  std::unique_ptr<OutputFile> lacks = OutputIfNamed(options.lacks_file);
  std::unique_ptr<OutputFile> common = OutputIfNamed(options.common_file);
  // Only "以采购方为准" under the field and ISBN rules writes every match.
  const bool every_match = common && options.common_from_buyer &&
                           options.rule != MatchRule::IdenticalRecord;
  auto read = [&](uint32_t position) { return buyers->Read(position); };
  result.supplier_records = ScanMarcFile(
      options.supplier_file,
      [&](int64_t rec_no, std::string_view supplier, bool&) {
        BuyerIndex::Found found = index.Find(supplier, !every_match, read);
        if (found.positions.empty()) {
          if (lacks) {
            lacks->WriteLine(supplier);
            ++result.lacking;
          }
        } else if (common && !options.common_from_buyer) {
          common->WriteLine(supplier);
          ++result.common;
        } else if (common) {
          for (uint32_t position : found.positions) {
            common->WriteLine(read(position));
            ++result.common;
          }
        }
        host.SetProgressPosition(rec_no);
        if (found.supplier_unreadable) {
          throw MarcFormatError(kNoBaseAddressMessage);
        }
      },
      failures);
  if (lacks) lacks->Commit();
  if (common) common->Commit();

  result.failed = failures.failed();
  result.cancelled = failures.cancelled();
  return result;
}

}  // namespace veltrane
