#include "ops/isbn_out.h"

#include "marc/record.h"
#include "ops/input_checks.h"
#include "util/output_file.h"
#include "util/text.h"

namespace veltrane {

std::variant<InputProblem, IsbnOutResult> RunIsbnOut(
    const IsbnOutOptions& options, OperationHost& host) {
  if (!IsExistingFile(options.marc_file)) {
    return InputProblem{"请指定MARC文件。", "marc_file", true};
  }
  if (IsBlankName(options.isbn_file)) {
    return InputProblem{"请指定ISBN文件", "isbn_file", false};
  }

  IsbnOutResult result;
  result.records = CountMarcRecords(options.marc_file);
  host.SetProgressTotal(result.records);

  OutputFile out(options.isbn_file);
  FailureTally tally(host);
  ScanMarcFile(
      options.marc_file,
      [&](int64_t rec_no, std::string_view text, bool&) {
        std::string isbn = TMarcRecord::Create(text).GetValue("010a");
        out.WriteLine(options.strip_hyphens ? RemoveByte(isbn, '-') : isbn);
        host.SetProgressPosition(rec_no);
      },
      tally);
  out.Commit();

  result.failed = tally.failed();
  result.cancelled = tally.cancelled();
  result.completion = {"ISBN输出完成。", RecordCountDetail(result.records)};
  return result;
}

}  // namespace veltrane
