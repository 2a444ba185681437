#include "sheet/grid.h"

#include <cassert>
#include <tuple>

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
  using Cells = std::vector<std::tuple<int, int, std::string>>;
  auto cells = [](const Grid& grid) {
    Cells out;
    grid.ForEachCell([&](int c, int r, const std::string& text) {
      out.emplace_back(c, r, text);
    });
    return out;
  };
  return cells(a) == cells(b);
}

}  // namespace veltrane
