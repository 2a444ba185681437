#include "ops/convert_marc.h"

#include "marc/record_encoding.h"
#include "ops/input_checks.h"
#include "util/output_file.h"

namespace veltrane {

std::variant<InputProblem, ConvertMarcResult> RunConvertMarc(
    const ConvertMarcOptions& options, OperationHost& host) {
  if (!IsExistingFile(options.marc_file)) {
    return InputProblem{"请指定MARC文件。", "marc_file", true};
  }
  if (IsBlankName(options.output_file)) {
    return InputProblem{"请指定输出文件。", "output_file", false};
  }
  if (auto problem = CheckRunFiles({{{options.marc_file, "marc_file"}},
                                    {{options.output_file, "output_file"}}})) {
    return *problem;
  }

  ConvertMarcResult result;
  result.records = CountMarcRecords(options.marc_file);
  host.SetProgressTotal(result.records);
  OutputFile out(options.output_file);
  FailureTally tally(host);
  ScanMarcFile(
      options.marc_file,
      [&](int64_t rec_no, std::string_view text, bool&) {
        host.SetProgressPosition(rec_no);
        out.WriteLine(TranscodeRecord(text, options.target));
        ++result.written;
      },
      tally);
  out.Commit();
  result.failed = tally.failed();
  result.cancelled = tally.cancelled();
  result.completion = {"MARC文件编码转换完成。",
                       RecordCountDetail(result.written)};
  return result;
}

}  // namespace veltrane
