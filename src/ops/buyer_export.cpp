// The export half of buyer_import.h: the buyer's ISBNs as an ISBN list, from
// table buyer or, when it is empty, from the buyer's MARC file.
#include "db/main_data.h"
#include "ops/buyer_import.h"
#include "ops/input_checks.h"
#include "util/output_file.h"

namespace veltrane {
namespace {

// Every buyer row's isbn, first to last.
BuyerExportResult ExportFromDatabase(TableCursor& buyer, OutputFile& out,
                                     OperationHost& host) {
  BuyerExportResult result;
  result.from_database = true;
  host.SetProgressTotal(buyer.RecordCount());
  for (buyer.First(); !buyer.Eof(); buyer.Next()) {
    out.WriteLine(buyer.Text("isbn"));
    host.SetProgressPosition(++result.lines);
  }
  buyer.First();
  result.completion = {"将本系统数据库中的ISBN导出完成!", ""};
  return result;
}

// The 010 $a of every record of `marc_file` (an empty line without one).
BuyerExportResult ExportFromMarcFile(const std::string& marc_file,
                                     OutputFile& out, OperationHost& host) {
  BuyerExportResult result;
  host.SetProgressTotal(CountMarcRecords(marc_file));
  FailureTally tally(host);
  ScanMarcFile(
      marc_file,
      [&](int64_t rec_no, std::string_view text, bool&) {
        out.WriteLine(TMarcRecord::Create(text).GetValue("010a"));
        ++result.lines;
        host.SetProgressPosition(rec_no);
      },
      tally);
  result.failed = tally.failed();
  result.cancelled = tally.cancelled();
  result.completion = {"ISBN导出完成。", RecordCountDetail(result.lines)};
  return result;
}

}  // namespace

std::variant<InputProblem, BuyerExportResult> RunBuyerExport(
    const BuyerExportOptions& options, TMainData& data, OperationHost& host) {
  if (IsBlankName(options.isbn_file)) {
    return InputProblem{"请指定你要输出的ISBN文件的文件名和路径！", "isbn_file",
                        false};
  }
  TableCursor& buyer = data.BuyerTable();
  buyer.Reopen();
  const bool from_database = buyer.RecordCount() > 0;
  if (!from_database && !IsExistingFile(options.marc_file)) {
    return InputProblem{"请指定MARC数据文件", "marc_file", false};
  }

  OutputFile out(options.isbn_file);
  BuyerExportResult result =
      from_database ? ExportFromDatabase(buyer, out, host)
                    : ExportFromMarcFile(options.marc_file, out, host);
  out.Commit();
  return result;
}

}  // namespace veltrane
