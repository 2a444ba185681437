// Which rows of two lists (the buyer's and the supplier's workbook) have a
// counterpart on the other side, comparing paired columns cell text by cell
// text: byte for byte, no trimming, no change of case, two empty cells equal.
//
// "且" needs every pair equal, "或" one. Without the sorted mode every buyer
// row is tested against every supplier row and all matches count. The sorted
// mode trusts both lists to be sorted alike on the pairs: a buyer row is
// matched with the run of consecutive supplier rows that begins at its first
// match at or after the row after the last match so far; a buyer row (from
// the second data row on) whose paired values equal the previous row's takes
// that row's result without a scan. Both modes are answered through hash
// indexes, with the results of the row-by-row comparison.
#ifndef VELTRANE_OPS_SHEET_MATCH_H_
#define VELTRANE_OPS_SHEET_MATCH_H_

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "ops/operation.h"
#include "sheet/grid.h"

namespace veltrane {

// One line of the match-field table: a buyer and a supplier column, from 0.
struct ColumnPair {
  size_t buyer = 0;
  size_t supplier = 0;
};

struct SheetMatchSpec {
  std::vector<ColumnPair> pairs;  // in table order; REQUIRES: not empty
  bool any = false;               // "或"; false is "且"
  bool sorted = false;            // chkOrder
  size_t buyer_first = 1;         // the first data row: 1 with a heading row
  size_t supplier_first = 1;
};

// One flag per grid row; only data rows can be set. The lists are grids of
// cell texts as loaded from the workbooks, row 0 first.
struct SheetMarks {
  std::vector<bool> buyer;
  std::vector<bool> supplier;
};

// True when buyer row `b` and supplier row `s` match under `spec`.
bool RowsMatch(const Grid& buyer, size_t b, const Grid& supplier,
               size_t s, const SheetMatchSpec& spec);

// True when buyer rows `b` and `b - 1` agree in every paired column.
bool RepeatsPreviousRow(const Grid& buyer, size_t b,
                        const SheetMatchSpec& spec);

// The marks of both lists. Progress: one step per buyer data row. Polls
// host.StopRequested() after each buyer row; nullopt when it said stop.
std::optional<SheetMarks> MatchSheetRows(const Grid& buyer,
                                         const Grid& supplier,
                                         const SheetMatchSpec& spec,
                                         OperationHost& host);

}  // namespace veltrane

#endif  // VELTRANE_OPS_SHEET_MATCH_H_
