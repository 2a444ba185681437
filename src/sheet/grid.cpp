#include "sheet/grid.h"

#include <algorithm>
#include <cassert>

namespace veltrane {

Grid::Grid(int columns, int rows) { Resize(columns, rows); }

void Grid::Resize(int columns, int rows) {
  assert(columns >= 0 && rows >= 0);
  columns_ = columns;
  widths_.resize(static_cast<size_t>(columns), kDefaultColumnWidth);
  rows_.resize(static_cast<size_t>(rows));
  for (auto& row : rows_) {
    if (row.size() > widths_.size()) row.resize(widths_.size());
  }
}

const std::string& Grid::Cell(int column, int row) const {
  static const std::string kEmpty;
  if (row < 0 || row >= rows() || column < 0) return kEmpty;
  const auto& cells = rows_[static_cast<size_t>(row)];
  return static_cast<size_t>(column) < cells.size()
             ? cells[static_cast<size_t>(column)]
             : kEmpty;
}

void Grid::SetCell(int column, int row, std::string text) {
  assert(column >= 0 && column < columns_ && row >= 0 && row < rows());
  auto& cells = rows_[static_cast<size_t>(row)];
  if (static_cast<size_t>(column) >= cells.size()) {
    if (text.empty()) return;
    cells.resize(static_cast<size_t>(column) + 1);
  }
  cells[static_cast<size_t>(column)] = std::move(text);
}

bool operator==(const Grid& a, const Grid& b) {
  if (a.columns_ != b.columns_ || a.rows() != b.rows() ||
      a.widths_ != b.widths_) {
    return false;
  }
  for (int r = 0; r < a.rows(); ++r) {
    for (int c = 0; c < a.columns_; ++c) {
      if (a.Cell(c, r) != b.Cell(c, r)) return false;
    }
  }
  return true;
}

}  // namespace veltrane
