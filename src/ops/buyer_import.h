// Importing the buyer's (the library's) MARC file into table buyer, and
// exporting the buyer's ISBNs as an ISBN list.
//
// The import is planned first (the file must exist; its records and the
// rows already there are counted), so that the page can ask before adding to
// existing rows; then it runs, appending one row per record in batches (what
// was committed before an interruption stays).
#ifndef VELTRANE_OPS_BUYER_IMPORT_H_
#define VELTRANE_OPS_BUYER_IMPORT_H_

#include <cstdint>
#include <string>
#include <variant>

#include "marc/record.h"
#include "ops/completion.h"
#include "ops/operation.h"

namespace veltrane {

class TMainData;

// How many copies each imported record counts ("初始复本数：" /
// "指定复本字段：").
struct CopyOption {
  enum class Source { kOne, kFixed, kField };
  Source source = Source::kOne;
  std::string fixed;           // the fixed number as typed
  std::string field = "905f";  // the field address whose value is the count
};

// The copies `record` counts: the fixed number, or the value at the field
// address, read as a whole decimal integer; 1 when that is empty or not a
// number (also for kOne).
int RecordCopies(const CopyOption& option, const TMarcRecord& record);

struct BuyerImportOptions {
  std::string marc_file;
  CopyOption copies;
};

struct BuyerImportPlan {
  int64_t existing_rows = 0;  // rows in table buyer now
  int64_t records = 0;        // records in the file
};

// Checks that the file exists ("指定的文件不存在！") and counts; changes
// nothing.
std::variant<InputProblem, BuyerImportPlan> PlanBuyerImport(
    const BuyerImportOptions& options, TMainData& data);

// The question before adding to existing rows ("已存在采购方MARC数据  N条
// ... 是否继续导入？", lines separated by "\n"); empty when the table is empty.
std::string BuyerImportQuestion(const BuyerImportPlan& plan);

struct BuyerImportResult {
  int64_t records = 0;   // records handed over by the scan
  int64_t imported = 0;  // rows appended
  int64_t failed = 0;
  bool cancelled = false;
  Completion completion;  // "共N条" with the imported rows
};

// Appends a row per record: title 200 $a, isbn 010 $a, the copies, the
// record text. A record that fails is logged and the host decides.
std::variant<InputProblem, BuyerImportResult> RunBuyerImport(
    const BuyerImportOptions& options, TMainData& data, OperationHost& host);

struct BuyerExportOptions {
  std::string isbn_file;  // "输出ISBN"
  std::string marc_file;  // "采购方MARC", used when table buyer is empty
};

struct BuyerExportResult {
  int64_t lines = 0;
  bool from_database = false;
  int64_t failed = 0;
  bool cancelled = false;
  Completion completion;
};

// Writes the isbn of every buyer row, one per line; when the table is empty,
// the 010 $a of every record of the MARC file instead. Checks: the output
// name ("请指定你要输出的ISBN文件的文件名和路径！"), then with an empty table
// the MARC file ("请指定MARC数据文件", also when it does not exist).
std::variant<InputProblem, BuyerExportResult> RunBuyerExport(
    const BuyerExportOptions& options, TMainData& data, OperationHost& host);

}  // namespace veltrane

#endif  // VELTRANE_OPS_BUYER_IMPORT_H_
