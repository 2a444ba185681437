// The purchase exports and the maintenance page's batch changes, deletions
// and clearing, done through the tables' cursors.
#include "ops/purchase_data.h"

#include <functional>
#include <stdexcept>

#include "db/main_data.h"
#include "ops/input_checks.h"
#include "ops/int_text.h"
#include "util/output_file.h"
#include "util/text.h"

namespace veltrane {
namespace {

// The current locale row as one line of the ISBN list, without its CR LF.
std::string PurchaseLineText(const TableCursor& row, PurchaseLine form) {
  if (form == PurchaseLine::kCodeOnly) return row.Text("isbn");
  const char* separator = form == PurchaseLine::kCodeSpaceCopies ? " " : "  ";
  return row.Text("isbn") + separator + row.Text("rsnumber");
}

// Sets every row's rsnumber to `copies` of its current value, row by row
// from the first; the first row is current afterwards.
void RewriteEveryCopies(TableCursor& table,
                        const std::function<int64_t(int64_t)>& copies) {
  if (table.RecordCount() == 0) return;
  for (table.First(); !table.Eof(); table.Next()) {
    table.Edit();
    table.SetInteger("rsnumber", copies(table.Integer("rsnumber")));
    table.Post();
  }
  table.First();
}

// Copy counts are 32-bit numbers; anything else would wrap when read back.
void RequireCount(int64_t n) {
  if (!FitsInt(n)) {
    throw std::out_of_range("数量超出范围：" + std::to_string(n) +
                            "（-2147483648 到 2147483647）");
  }
}

// a + b as a count; throws as RequireCount, also when the sum overflows.
void RequireCountSum(int64_t a, int64_t b) {
  int64_t sum;
  if (__builtin_add_overflow(a, b, &sum)) sum = a;  // a is then out of range
  RequireCount(sum);
}

// Clears a table that has rows (seen afresh) and returns `message`.
std::optional<std::string> ClearTable(TableCursor& table,
                                      const std::function<void()>& clear,
                                      const char* message) {
  table.Reopen();
  if (table.RecordCount() == 0) return std::nullopt;
  clear();
  return message;
}

}  // namespace

std::variant<InputProblem, PurchaseExportResult> RunPurchaseExport(
    const PurchaseExportOptions& options, TMainData& data,
    OperationHost& host) {
  if (IsBlankName(options.isbn_file)) {
    return InputProblem{"请指定你要输出的ISBN文件的文件名和路径！", "isbn_file",
                        false};
  }
  if (auto problem = CheckRunFiles({{}, {{options.isbn_file, "isbn_file"}}})) {
    return *problem;
  }
  TableCursor& locale = data.LocaleTable();
  locale.Reopen();
  PurchaseExportResult result;
  if (locale.RecordCount() > 0) {
    host.SetProgressTotal(locale.RecordCount());
    OutputFile out(options.isbn_file);
    for (; !locale.Eof(); locale.Next()) {
      out.WriteLine(PurchaseLineText(locale, options.line));
      host.SetProgressPosition(++result.lines);
    }
    out.Commit();
    locale.First();
  }
  result.completion = {"导出完成!", ""};
  return result;
}

int64_t EditNumber(std::string_view text) {
  return ParseInteger(text).value_or(0);
}

void SetAllCopies(TableCursor& table, int64_t number) {
  RequireCount(number);
  RewriteEveryCopies(table, [number](int64_t) { return number; });
}

void ShiftAllCopies(TableCursor& table, int64_t number) {
  RequireCount(number);
  const auto [low, high] = table.IntegerRange("rsnumber");
  RequireCountSum(low, number);
  RequireCountSum(high, number);
  RewriteEveryCopies(table,
                     [number](int64_t copies) { return copies + number; });
}

int64_t DeleteZeroQuantityRows(TableCursor& table) {
  int64_t deleted = 0;
  if (table.RecordCount() == 0) return deleted;
  table.First();
  while (!table.Eof()) {
    if (table.Integer("rsnumber") == 0) {
      table.Delete();
      ++deleted;
    } else {
      table.Next();
    }
  }
  table.First();
  return deleted;
}

bool DeleteCurrentRow(TableCursor& table) {
  if (table.Eof()) return false;
  table.Delete();
  return true;
}

std::optional<std::string> ClearBuyerData(TMainData& data) {
  return ClearTable(
      data.BuyerTable(), [&data] { data.ClearBuyerTable(); },
      "完成清空采购方数据库!");
}

std::optional<std::string> ClearPurchaseData(TMainData& data) {
  return ClearTable(
      data.LocaleTable(), [&data] { data.ClearLocaleTable(); },
      "完成清空本次现采数据库!");
}

std::string ClearBuyerQuestion(int64_t rows) {
  return "采购方数据共有" + std::to_string(rows) +
         "条，清空后无法恢复。\n\n确定要清空所有采购方数据吗？";
}

std::string ClearPurchaseQuestion(int64_t rows) {
  return "本次现采数据共有" + std::to_string(rows) +
         "条，清空后无法恢复。\n\n确定要清空所有现采数据吗？";
}

}  // namespace veltrane
