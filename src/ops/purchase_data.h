// The purchases (table locale) and the buyer rows after the trip: exports
// as ISBN lists and the batch changes of the maintenance page.
#ifndef VELTRANE_OPS_PURCHASE_DATA_H_
#define VELTRANE_OPS_PURCHASE_DATA_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "ops/completion.h"
#include "ops/operation.h"

namespace veltrane {

class TMainData;
class TableCursor;

// A column of the maintenance grids and of the table listings: its heading,
// the table column shown under it, and whether the grid lets it be edited.
struct GridColumn {
  const char* heading;
  const char* column;
  bool editable;
};
inline constexpr GridColumn kBuyerGrid[] = {{"序号", "recno", false},
                                            {"书名", "title", false},
                                            {"ISBN", "isbn", false},
                                            {"复本", "rsnumber", true}};
inline constexpr GridColumn kPurchaseGrid[] = {{"序号", "recno", false},
                                               {"ISBN", "isbn", true},
                                               {"采购数量", "rsnumber", true},
                                               {"时间", "indate", true}};

// How a purchase line is written: the code alone, or code, a separator of
// one ("带复本输出") or two blanks ("导出文本 >>>"), and the quantity.
enum class PurchaseLine { kCodeOnly, kCodeSpaceCopies, kCodeTwoSpacesCopies };

struct PurchaseExportOptions {
  std::string isbn_file;
  PurchaseLine line = PurchaseLine::kCodeOnly;
};

struct PurchaseExportResult {
  int64_t lines = 0;
  int64_t failed = 0;     // always 0: no record can fail here
  Completion completion;  // "导出完成!"
};

// Writes one line per locale row, first to last. Check: the output name
// ("请指定你要输出的ISBN文件的文件名和路径！"). An empty table writes no
// file and still completes.
std::variant<InputProblem, PurchaseExportResult> RunPurchaseExport(
    const PurchaseExportOptions& options, TMainData& data, OperationHost& host);

// A number typed into a maintenance edit: a whole decimal integer, else 0.
int64_t EditNumber(std::string_view text);

// "设置": every row's rsnumber := number. "增减": rsnumber += number. The
// cursor ends on its first row; an empty table is left alone. Each changed
// row is a committed write of its own unless the caller holds a
// TMainData::Batch (worth it for a whole catalogue). Throws DatabaseError,
// and std::out_of_range (before changing anything) when a number would leave
// the 32-bit range that copy counts have.
void SetAllCopies(TableCursor& table, int64_t number);
void ShiftAllCopies(TableCursor& table, int64_t number);

// "删除所有数量为零的行": deletes the rows whose rsnumber is 0 (an empty
// value counts as 0); returns how many went. The first row is current after.
int64_t DeleteZeroQuantityRows(TableCursor& table);

// "<<删除当前行": deletes the current row; false when there is none.
bool DeleteCurrentRow(TableCursor& table);

// Clearing a table that has rows: the message to show afterwards
// ("完成清空采购方数据库!" / "完成清空本次现采数据库!"); nullopt when the
// table was empty and nothing happened. The page asks before calling.
std::optional<std::string> ClearBuyerData(TMainData& data);
std::optional<std::string> ClearPurchaseData(TMainData& data);

// The confirmation asked before clearing a table that has rows.
std::string ClearBuyerQuestion(int64_t rows);
std::string ClearPurchaseQuestion(int64_t rows);

}  // namespace veltrane

#endif  // VELTRANE_OPS_PURCHASE_DATA_H_
