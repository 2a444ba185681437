// A settings grid without its widget: columns x rows of texts and a display
// width for every column.
//
// Texts are byte strings in whatever encoding the owner uses (the program's
// settings grids hold GBK; a grid filled from a workbook holds UTF-8). Cells
// are addressed (column, row) from 0, the way the grid cell file names them.
// Storage is per row and only as wide as the row's last non-empty cell, so a
// tall grid with few texts stays small.
#ifndef VELTRANE_SHEET_GRID_H_
#define VELTRANE_SHEET_GRID_H_

#include <string>
#include <vector>

namespace veltrane {

class Grid {
 public:
  static constexpr int kDefaultColumnWidth = 64;  // pixels

  Grid() = default;
  // REQUIRES: columns >= 0, rows >= 0.
  Grid(int columns, int rows);

  int columns() const { return columns_; }
  int rows() const { return static_cast<int>(rows_.size()); }

  // Changes the size; cells inside the new size keep their texts, new
  // columns get the default width. REQUIRES: columns >= 0, rows >= 0.
  void Resize(int columns, int rows);

  // The text of a cell; empty outside the grid.
  const std::string& Cell(int column, int row) const;
  // REQUIRES: the cell lies inside the grid.
  void SetCell(int column, int row, std::string text);

  // REQUIRES: 0 <= column < columns().
  int ColumnWidth(int column) const { return widths_[column]; }
  void SetColumnWidth(int column, int width) { widths_[column] = width; }

  // Visits the non-empty cells row by row, within a row column by column:
  // fn(column, row, text). Costs the stored cells, not columns x rows.
  template <typename Fn>
  void ForEachCell(Fn&& fn) const {
    for (size_t r = 0; r < rows_.size(); ++r) {
      for (size_t c = 0; c < rows_[r].size(); ++c) {
        if (!rows_[r][c].empty()) {
          fn(static_cast<int>(c), static_cast<int>(r), rows_[r][c]);
        }
      }
    }
  }

  friend bool operator==(const Grid&, const Grid&);

 private:
  int columns_ = 0;
  std::vector<int> widths_;
  std::vector<std::vector<std::string>> rows_;
};

}  // namespace veltrane

#endif  // VELTRANE_SHEET_GRID_H_
