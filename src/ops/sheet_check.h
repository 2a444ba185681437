// "利用双方EXCEL文件自动匹配查重": the buyer's and the supplier's lists, as
// loaded from their workbooks, are matched on paired columns (see
// sheet_match.h); a mark column is appended to both lists, "对方已有" in the
// matched rows; the rows go to the four sheets of a result workbook and,
// on request, each marked list back into its own workbook.
#ifndef VELTRANE_OPS_SHEET_CHECK_H_
#define VELTRANE_OPS_SHEET_CHECK_H_

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "ops/completion.h"
#include "ops/operation.h"
#include "ops/sheet_match.h"
#include "sheet/grid.h"

namespace veltrane {

inline constexpr char kMarkHeading[] = "标记";
inline constexpr char kMarkText[] = "对方已有";
inline constexpr char kMarkedListSheet[] = "加了标记之后的表";

struct SheetCheckOptions {
  std::string buyer_file;         // RzEdit5: where the marked list goes
  std::string supplier_file;      // RzEdit6
  bool buyer_heading = true;      // chk5: row 0 is a heading row
  bool supplier_heading = true;   // chk6
  std::vector<ColumnPair> pairs;  // asg7 rows with both names set
  bool any = false;               // rdgExcel: "或"; false is "且"
  bool sorted = false;            // chkOrder
  std::string result_file;        // RzEdit4
  bool mark_sources = false;      // RzCheckBox1
};

struct SheetCheckResult {
  int64_t buyer_marked = 0;
  int64_t supplier_marked = 0;
  bool stopped = false;  // the lists are as they were; nothing was written
  int64_t failed = 0;    // always 0
  Completion completion;  // "利用双方EXCEL文件自动匹配查重完成!"; the
                          // detail names copies kept of .xls originals
};

// The result workbook's sheets, in the order they are added.
inline constexpr const char* kResultSheets[] = {
    "采购方有供应方没有", "双方都有（采购方）", "双方都有（供应方）",
    "采购方没有供应方有"};

// Checks, in order: the buyer list's row 0 ("请指定采购方文件!"), the
// supplier's ("请指定供应方文件!"), a pair ("请设置匹配字段!"), an output
// ("请指定查重结果\r\r是输出到文件，还是保存到原文件!"). Then appends the
// mark column to both lists and marks them; a stop (host.StopRequested())
// removes the columns again and writes nothing. An existing result workbook
// keeps its other sheets, and the cells of the four sheets beyond the new
// blocks. Throws WorkbookError when a workbook cannot be read or written.
std::variant<InputProblem, SheetCheckResult> RunSheetCheck(
    const SheetCheckOptions& options, Grid& buyer, Grid& supplier,
    OperationHost& host);

}  // namespace veltrane

#endif  // VELTRANE_OPS_SHEET_CHECK_H_
