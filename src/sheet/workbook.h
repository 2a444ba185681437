// The workbook model: named sheets of text cells, the active sheet, and each
// sheet's used block, as the program reads and writes workbooks.
//
// Cell texts are UTF-8 and already in the form the program reads them
// (`ReadCell`): numbers in general decimal form, dates as yyyy-mm-dd, see
// cell_text.h. Rows and columns count from 0 here (A1 is row 0, column 0);
// `ReadCell` keeps the 1-based counting of the operations that use it.
#ifndef VELTRANE_SHEET_WORKBOOK_H_
#define VELTRANE_SHEET_WORKBOOK_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

// The rectangle from the first to the last non-empty cell of a sheet (cells
// that hold an empty text or only carry formatting do not count). An empty
// sheet has rows == columns == 0 at (0, 0).
struct UsedBlock {
  uint32_t first_row = 0;
  uint32_t first_column = 0;
  uint32_t rows = 0;
  uint32_t columns = 0;
  bool empty() const { return rows == 0; }
  friend bool operator==(const UsedBlock&, const UsedBlock&) = default;
};

class Sheet {
 public:
  explicit Sheet(std::string name = {}) : name_(std::move(name)) {}

  const std::string& name() const { return name_; }
  void set_name(std::string name) { name_ = std::move(name); }

  // The text of a cell, empty when the cell is empty.
  std::string_view Cell(uint32_t row, uint32_t column) const;
  // Sets (or, with an empty text, clears) a cell. Setting cells in row-major
  // order, as the readers do, is cheap; other orders cost an insertion.
  void SetCell(uint32_t row, uint32_t column, std::string_view text);

  // One pass over the cells.
  UsedBlock used() const;
  size_t cell_count() const { return cells_.size(); }
  // The memory the cells take (index and text), for measurements.
  size_t bytes_kept() const {
    return cells_.capacity() * sizeof(Entry) + text_.capacity();
  }

  // Visits the non-empty cells in row-major order: fn(row, column, text).
  template <typename Fn>
  void ForEachCell(Fn&& fn) const {
    for (const Entry& e : cells_) {
      fn(e.row, e.column, std::string_view(text_).substr(e.offset, e.size));
    }
  }

 private:
  struct Entry {
    uint32_t row, column, offset, size;
  };
  std::vector<Entry>::iterator Find(uint32_t row, uint32_t column);

  std::string name_;
  std::vector<Entry> cells_;  // sorted by (row, column)
  std::string text_;          // every cell's bytes, referenced by Entry
};

struct Workbook {
  std::vector<Sheet> sheets;
  size_t active = 0;  // index into sheets: the sheet active when saved

  // nullptr when there are no sheets.
  const Sheet* active_sheet() const;
  // The sheet of that name (exact match first, then ignoring ASCII case, as a
  // spreadsheet compares sheet names), or nullptr.
  Sheet* FindSheet(std::string_view name);
  const Sheet* FindSheet(std::string_view name) const;
};

// `ReadCell` (row, column): the text of a cell of the active sheet, rows and
// columns from 1; empty for an empty cell, a cell outside the sheet or a
// workbook without sheets.
std::string ReadCell(const Workbook& workbook, uint32_t row, uint32_t column);

// Column letters of a 1-based column number: "A".."Z" for 1..26, "AA".."ZZ"
// for 27..702 (52 is "AZ", 702 "ZZ"), then three letters. REQUIRES: column>=1.
std::string ColumnLetters(uint32_t column);

// The 1-based column number of one to three upper-case letters ("A" = 1,
// "AZ" = 52); 0 for anything else.
uint32_t ColumnFromLetters(std::string_view letters);

// `BlockAddress` (rows, columns) = "A1:" + letters + rows, the block that a
// write from A1 covers. REQUIRES: rows >= 1, columns >= 1.
std::string BlockAddress(uint32_t rows, uint32_t columns);

// `UsedRangeAddress`: the absolute address of a used block, "$A$1:$D$10";
// a block of one cell has no ":" ("$B$2"); an empty block is "$A$1".
std::string UsedRangeAddress(const UsedBlock& block);

}  // namespace veltrane

#endif  // VELTRANE_SHEET_WORKBOOK_H_
