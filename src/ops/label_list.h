// The spine-label list: one row per book (or per copy) of a MARC file, with
// the fields a label and its grid show, and the order the grid sorts it in.
#ifndef VELTRANE_OPS_LABEL_LIST_H_
#define VELTRANE_OPS_LABEL_LIST_H_

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "ops/completion.h"
#include "ops/operation.h"

namespace veltrane {

// The fields of a label row, in the list's order.
enum LabelField {
  kLabelIsbn,
  kLabelBookname,
  kLabelAuthor,
  kLabel905v205a,
  kLabel205a,
  kLabel905b,
  kLabel905c,
  kLabel905d,
  kLabel905v,
  kLabel905e,
  kLabel905f,
  kLabel905y,
  kLabelFieldCount
};

struct LabelFieldSpec {
  const char* name;     // "isbn", "905d", ...
  const char* heading;  // the grid's column title (UTF-8)
  size_t max_bytes;     // longer values are cut, never inside a character
};

inline constexpr std::array<LabelFieldSpec, kLabelFieldCount> kLabelFields = {{
    {"isbn", "ISBN", 20},
    {"bookname", "图书名称", 50},
    {"author", "作者", 50},
    {"905v205a", "905v205a", 25},
    {"205a", "205a", 25},
    {"905b", "905b", 25},
    {"905c", "905c", 25},
    {"905d", "905d", 25},
    {"905v", "905v", 25},
    {"905e", "905e", 25},
    {"905f", "905f", 25},
    {"905y", "905y", 25},
}};

// The grid's columns: title, author and ISBN first, then the rest in order.
inline constexpr std::array<LabelField, kLabelFieldCount> kLabelGridColumns = {
    kLabelBookname, kLabelAuthor, kLabelIsbn, kLabel905v205a,
    kLabel205a,     kLabel905b,   kLabel905c, kLabel905d,
    kLabel905v,     kLabel905e,   kLabel905f, kLabel905y};

// Field values are GBK bytes.
using LabelRow = std::array<std::string, kLabelFieldCount>;

struct LabelListOptions {
  std::string marc_file = {};
  bool per_copy = false;  // "根据905f（复本数）生成记录，"
  bool split_range = false;  // "并将905b（登录号）进行拆分。" (with per_copy)
  bool regenerate = false;        // 905b regenerated from the start number
  std::string start_number = {};  // "起始号：", GBK
};

struct LabelListResult {
  int64_t records = 0;  // records in the file (the counting scan)
  int64_t failed = 0;   // records that could not be read (logged)
  int64_t skipped = 0;  // records without anything to print
  bool cancelled = false;
  std::vector<LabelRow> rows;
  // After a load with regeneration: the last range given (the start number
  // when no range was given); otherwise the start number unchanged.
  std::string start_number;
  std::string status;  // the status line: counts of records and rows
  Completion completion;
};

// A copy count above this makes the record fail: no shelf holds that many
// copies of one book, and the rows would exhaust memory.
inline constexpr int64_t kMaxLabelCopies = 10000;

// Loads the label list of `marc_file`. Checks: a file without records
// ("原始MARC文件为空！", input "marc_file"), regeneration without a start
// number ("请输入起始登录号！", input "start_number"). A record without 010 $a,
// 200 $a, 905 $d, 905 $v and 905 $e adds no row (its accession numbers are
// used up all the same). A record that cannot be read, or whose 905 $f asks
// for more than kMaxLabelCopies labels, is logged and adds no row.
std::variant<InputProblem, LabelListResult> LoadLabelList(
    const LabelListOptions& options, OperationHost& host);

// The order of the list: by `column`, ascending or descending; column -1
// while the list is in file order.
struct LabelOrder {
  int column = -1;
  bool descending = false;
};

// The order after a click on the title of `column`: descending when the
// list is now in ascending order (of any column), else ascending.
LabelOrder NextLabelOrder(const LabelOrder& current, int column);

// Sorts `rows` by the order's column, stable, comparing the GBK bytes.
void SortLabels(std::vector<LabelRow>& rows, const LabelOrder& order);

// The grid title of `field` under `order`: "▲" or "▼" before the title of
// the sorted column.
std::string LabelColumnTitle(LabelField field, const LabelOrder& order);

}  // namespace veltrane

#endif  // VELTRANE_OPS_LABEL_LIST_H_
