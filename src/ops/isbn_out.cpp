#include "ops/isbn_out.h"

#include "marc/record.h"
#include "ops/input_checks.h"
#include "util/output_file.h"
#include "util/text.h"

namespace veltrane {

RecordIsbns WriteRecordIsbns(const std::string& marc_file, bool strip_hyphens,
                             OutputFile& out, OperationHost& host) {
  RecordIsbns written;
  written.records = CountMarcRecords(marc_file);
  host.SetProgressTotal(written.records);
  FailureTally tally(host);
  ScanMarcFile(
      marc_file,
      [&](int64_t rec_no, std::string_view text, bool&) {
        std::string isbn = TMarcRecord::Create(text).GetValue("010a");
        out.WriteLine(strip_hyphens ? RemoveByte(isbn, '-') : isbn);
        ++written.lines;
        host.SetProgressPosition(rec_no);
      },
      tally);
  written.failed = tally.failed();
  written.cancelled = tally.cancelled();
  return written;
}

std::variant<InputProblem, IsbnOutResult> RunIsbnOut(
    const IsbnOutOptions& options, OperationHost& host) {
  if (!IsExistingFile(options.marc_file)) {
    return InputProblem{"请指定MARC文件。", "marc_file", true};
  }
  if (IsBlankName(options.isbn_file)) {
    return InputProblem{"请指定ISBN文件", "isbn_file", false};
  }
  if (auto problem = CheckRunFiles({{{options.marc_file, "marc_file"}},
                                    {{options.isbn_file, "isbn_file"}}})) {
    return *problem;
  }

  OutputFile out(options.isbn_file);
  RecordIsbns written =
      WriteRecordIsbns(options.marc_file, options.strip_hyphens, out, host);
  out.Commit();

  IsbnOutResult result;
  result.records = written.records;
  result.failed = written.failed;
  result.cancelled = written.cancelled;
  result.completion = {"ISBN输出完成。", RecordCountDetail(result.records)};
  return result;
}

}  // namespace veltrane
