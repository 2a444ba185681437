// Lists loaded from workbooks: their columns, as the pages offer them and
// the commands name them (by the text of row 0 or by number from 0), and
// the messages about the workbooks behind them.
#ifndef VELTRANE_OPS_SHEET_LISTS_H_
#define VELTRANE_OPS_SHEET_LISTS_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/grid.h"

namespace veltrane {

// True when every cell of row 0 is empty (or there is no row).
bool FirstRowEmpty(const Grid& list);

// The names of the columns: row 0's text, or "[空白 *" + c + "*]" for an
// empty cell; none at all when row 0 is empty. A name's position is its
// column number.
std::vector<std::string> ColumnNames(const Grid& list);

// The column `name` stands for: the first column so named, else a number
// from 0 inside the list; nullopt otherwise.
std::optional<size_t> FindColumn(const Grid& list, std::string_view name);

// "找不到'PATH'文件，请确定该文件是否存在？！"
std::string MissingWorkbookMessage(const std::string& path);

// The completion detail naming the copies kept of .xls workbooks before
// they were rewritten (one line each); empty for none.
std::string KeptOriginalsNote(const std::vector<std::string>& copies);

}  // namespace veltrane

#endif  // VELTRANE_OPS_SHEET_LISTS_H_
