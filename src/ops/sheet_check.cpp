#include "ops/sheet_check.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "ops/input_checks.h"
#include "ops/sheet_lists.h"
#include "sheet/workbook_io.h"

namespace veltrane {
namespace {

// Appends the mark column and fills it; returns how many rows are marked.
int64_t AddMarkColumn(Grid& list, const std::vector<bool>& marks) {
  const int column = list.columns();
  list.Resize(column + 1, list.rows());
  list.SetCell(column, 0, kMarkHeading);
  int64_t marked = 0;
  for (int row = 0; row < list.rows(); ++row) {
    if (marks[row]) {
      list.SetCell(column, row, kMarkText);
      ++marked;
    }
  }
  return marked;
}

// The grid rows of one result sheet: row 0 with a heading row, then the
// data rows whose mark is `marked`.
std::vector<int> BlockRows(const Grid& list, bool heading,
                           const std::vector<bool>& marks, bool marked) {
  std::vector<int> rows;
  if (heading) rows.push_back(0);
  for (int row = heading ? 1 : 0; row < list.rows(); ++row) {
    if (marks[row] == marked) rows.push_back(row);
  }
  return rows;
}

// Sheet `name` with the block written from A1 over `old` (may be null):
// cells inside the block take the block's texts, the others keep theirs.
Sheet Overlay(const Sheet* old, const char* name, const Grid& list,
              const std::vector<int>& rows) {
  Sheet sheet(name);
  const auto block_rows = static_cast<uint32_t>(rows.size());
  const auto columns = static_cast<uint32_t>(list.columns());
  uint32_t next = 0;  // the next block row to write
  auto write_block_rows_before = [&](uint32_t end) {
    for (; next < std::min(end, block_rows); ++next) {
      for (uint32_t c = 0; c < columns; ++c) {
        sheet.SetCell(next, c, list.Cell(static_cast<int>(c), rows[next]));
      }
    }
  };
  if (old != nullptr) {
    old->ForEachCell([&](uint32_t row, uint32_t column, std::string_view text) {
      write_block_rows_before(row + 1);
      if (row >= block_rows || column >= columns) {
        sheet.SetCell(row, column, text);
      }
    });
  }
  write_block_rows_before(block_rows);
  return sheet;
}

}  // namespace

std::variant<InputProblem, SheetCheckResult> RunSheetCheck(
    const SheetCheckOptions& options, Grid& buyer, Grid& supplier,
    OperationHost& host) {
  if (FirstRowEmpty(buyer)) {
    return InputProblem{"请指定采购方文件!", "buyer_file", false};
  }
  if (FirstRowEmpty(supplier)) {
    return InputProblem{"请指定供应方文件!", "supplier_file", false};
  }
  if (options.pairs.empty()) {
    return InputProblem{"请设置匹配字段!", "pairs", false};
  }
  if (IsBlankName(options.result_file) && !options.mark_sources) {
    return InputProblem{"请指定查重结果\r\r是输出到文件，还是保存到原文件!",
                        "result_file", false};
  }

  const SheetMatchSpec spec{options.pairs, options.any, options.sorted,
                            options.buyer_heading ? 1u : 0u,
                            options.supplier_heading ? 1u : 0u};
  SheetCheckResult result;
  const std::optional<SheetMarks> marks =
      MatchSheetRows(buyer, supplier, spec, host);
  if (!marks) {
    result.stopped = true;
    return result;
  }
  result.buyer_marked = AddMarkColumn(buyer, marks->buyer);
  result.supplier_marked = AddMarkColumn(supplier, marks->supplier);

  std::vector<std::string> originals;
  auto keep = [&](const SheetWriteResult& written) {
    if (written.original_copy) originals.push_back(*written.original_copy);
  };
  if (options.mark_sources) {
    keep(SaveGridToWorkbook(buyer, options.buyer_file, kMarkedListSheet));
    keep(SaveGridToWorkbook(supplier, options.supplier_file, kMarkedListSheet));
  }
  if (!IsBlankName(options.result_file)) {
    const bool exists = IsExistingFile(options.result_file);
    const Workbook old =
        exists ? ReadWorkbook(options.result_file) : Workbook{};
    const std::vector<int> blocks[] = {
        BlockRows(buyer, options.buyer_heading, marks->buyer, false),
        BlockRows(buyer, options.buyer_heading, marks->buyer, true),
        BlockRows(supplier, options.supplier_heading, marks->supplier, true),
        BlockRows(supplier, options.supplier_heading, marks->supplier, false)};
    Workbook result_book;
    for (int i = 0; i < 4; ++i) {
      result_book.sheets.push_back(Overlay(old.FindSheet(kResultSheets[i]),
                                           kResultSheets[i],
                                           i < 2 ? buyer : supplier,
                                           blocks[i]));
    }
    if (exists) {
      keep(WriteSheetsIntoWorkbook(options.result_file, result_book.sheets));
    } else {
      WriteWorkbook(result_book, options.result_file);
    }
  }
  result.completion = {"利用双方EXCEL文件自动匹配查重完成!",
                       KeptOriginalsNote(originals)};
  return result;
}

}  // namespace veltrane
