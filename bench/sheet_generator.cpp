#include "bench/sheet_generator.h"

#include <algorithm>
#include <random>

namespace veltrane {

Grid GridFromRows(const std::vector<std::vector<std::string>>& rows) {
  size_t columns = 0;
  for (const auto& row : rows) columns = std::max(columns, row.size());
  Grid grid(static_cast<int>(columns), static_cast<int>(rows.size()));
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size(); ++c) {
      grid.SetCell(static_cast<int>(c), static_cast<int>(r), rows[r][c]);
    }
  }
  return grid;
}

Grid GenerateSheetList(const SheetListShape& shape) {
  std::mt19937_64 random(shape.seed);
  std::uniform_int_distribution<size_t> pick(0, shape.distinct - 1);
  std::bernoulli_distribution empty(shape.empty_share);
  auto value = [&](const char* prefix) -> std::string {
    if (empty(random)) return "";
    return prefix + std::to_string(pick(random));
  };
  std::vector<std::vector<std::string>> rows;
  rows.reserve(shape.rows + 1);
  for (size_t r = 0; r < shape.rows; ++r) {
    rows.push_back({value("978750"), value("书名"), value("")});
  }
  if (shape.sorted) std::sort(rows.begin(), rows.end());
  rows.insert(rows.begin(), {"ISBN", "书名", "定价"});
  return GridFromRows(rows);
}

}  // namespace veltrane
