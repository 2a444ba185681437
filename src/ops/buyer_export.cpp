// The export half of buyer_import.h: the buyer's ISBNs as an ISBN list, from
// table buyer or, when it is empty, from the buyer's MARC file.
#include "db/main_data.h"
#include "ops/buyer_import.h"
#include "ops/input_checks.h"
#include "ops/isbn_out.h"
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
  RecordIsbns written = WriteRecordIsbns(marc_file, false, out, host);
  BuyerExportResult result;
  result.lines = written.lines;
  result.failed = written.failed;
  result.cancelled = written.cancelled;
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
  RunFiles files{{}, {{options.isbn_file, "isbn_file"}}};
  if (!from_database) files.inputs.push_back({options.marc_file, "marc_file"});
  if (auto problem = CheckRunFiles(files)) return *problem;

  OutputFile out(options.isbn_file);
  BuyerExportResult result =
      from_database ? ExportFromDatabase(buyer, out, host)
                    : ExportFromMarcFile(options.marc_file, out, host);
  out.Commit();
  return result;
}

}  // namespace veltrane
