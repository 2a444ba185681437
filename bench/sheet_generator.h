// Generated workbook lists for the workbook check's tests and benchmark:
// a heading row, then rows of an ISBN, a title and a price drawn from pools
// small enough that rows of the two sides often agree in one column or all.
#ifndef VELTRANE_BENCH_SHEET_GENERATOR_H_
#define VELTRANE_BENCH_SHEET_GENERATOR_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sheet/grid.h"

namespace veltrane {

struct SheetListShape {
  uint64_t seed = 1;
  size_t rows = 100;         // data rows
  size_t distinct = 20;      // size of each column's pool of values
  double empty_share = 0.0;  // share of cells left empty
  bool sorted = false;       // rows sorted on (ISBN, title, price)
};

// Heading row "ISBN", "书名", "定价", then `shape.rows` data rows.
Grid GenerateSheetList(const SheetListShape& shape);

// A grid of these rows, as wide as the widest.
Grid GridFromRows(const std::vector<std::vector<std::string>>& rows);

}  // namespace veltrane

#endif  // VELTRANE_BENCH_SHEET_GENERATOR_H_
