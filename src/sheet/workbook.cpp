#include "sheet/workbook.h"

#include <algorithm>
#include <cassert>
#include <limits>
#include <utility>

#include "sheet/workbook_io.h"

namespace veltrane {
namespace {

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

}  // namespace

std::vector<Sheet::Entry>::iterator Sheet::Find(uint32_t row,
                                                uint32_t column) {
  return std::lower_bound(
      cells_.begin(), cells_.end(), std::pair(row, column),
      [](const Entry& e, std::pair<uint32_t, uint32_t> key) {
        return std::pair(e.row, e.column) < key;
      });
}

std::string_view Sheet::Cell(uint32_t row, uint32_t column) const {
  auto it = const_cast<Sheet*>(this)->Find(row, column);
  if (it == cells_.end() || it->row != row || it->column != column) return {};
  return std::string_view(text_).substr(it->offset, it->size);
}

void Sheet::SetCell(uint32_t row, uint32_t column, std::string_view text) {
  if (text_.size() + text.size() > std::numeric_limits<uint32_t>::max()) {
    throw WorkbookError("工作表'" + name_ + "'的数据超过 4 GB");
  }
  Entry entry{row, column, static_cast<uint32_t>(text_.size()),
              static_cast<uint32_t>(text.size())};
  bool append = cells_.empty() || std::pair(cells_.back().row,
                                            cells_.back().column) <
                                      std::pair(row, column);
  auto it = append ? cells_.end() : Find(row, column);
  bool exists = it != cells_.end() && it->row == row && it->column == column;
  if (text.empty()) {
    if (exists) cells_.erase(it);  // the text stays unreferenced in text_
    return;
  }
  text_.append(text);
  if (exists) {
    *it = entry;
  } else {
    cells_.insert(it, entry);
  }
}

UsedBlock Sheet::used() const {
  if (cells_.empty()) return {};
  uint32_t first = UINT32_MAX, last = 0;
  for (const Entry& e : cells_) {
    first = std::min(first, e.column);
    last = std::max(last, e.column);
  }
  return {cells_.front().row, first, cells_.back().row - cells_.front().row + 1,
          last - first + 1};
}

const Sheet* Workbook::active_sheet() const {
  if (sheets.empty()) return nullptr;
  return &sheets[active < sheets.size() ? active : 0];
}

const Sheet* Workbook::FindSheet(std::string_view name) const {
  for (const Sheet& sheet : sheets) {
    if (sheet.name() == name) return &sheet;
  }
  for (const Sheet& sheet : sheets) {
    if (EqualIgnoringAsciiCase(sheet.name(), name)) return &sheet;
  }
  return nullptr;
}

Sheet* Workbook::FindSheet(std::string_view name) {
  return const_cast<Sheet*>(std::as_const(*this).FindSheet(name));
}

std::string ReadCell(const Workbook& workbook, uint32_t row, uint32_t column) {
  const Sheet* sheet = workbook.active_sheet();
  if (!sheet || row == 0 || column == 0) return {};
  return std::string(sheet->Cell(row - 1, column - 1));
}

std::string ColumnLetters(uint32_t column) {
  assert(column >= 1);
  std::string letters;
  while (column > 0) {
    --column;
    letters.insert(letters.begin(), static_cast<char>('A' + column % 26));
    column /= 26;
  }
  return letters;
}

uint32_t ColumnFromLetters(std::string_view letters) {
  if (letters.empty() || letters.size() > 3) return 0;
  uint32_t column = 0;
  for (char c : letters) {
    if (c < 'A' || c > 'Z') return 0;
    column = column * 26 + static_cast<uint32_t>(c - 'A' + 1);
  }
  return column;
}

std::string BlockAddress(uint32_t rows, uint32_t columns) {
  return "A1:" + ColumnLetters(columns) + std::to_string(rows);
}

std::string UsedRangeAddress(const UsedBlock& block) {
  auto cell = [](uint32_t row, uint32_t column) {
    return "$" + ColumnLetters(column + 1) + "$" + std::to_string(row + 1);
  };
  if (block.empty()) return "$A$1";
  std::string first = cell(block.first_row, block.first_column);
  if (block.rows == 1 && block.columns == 1) return first;
  return first + ":" +
         cell(block.first_row + block.rows - 1,
              block.first_column + block.columns - 1);
}

}  // namespace veltrane
