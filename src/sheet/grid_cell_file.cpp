#include "sheet/grid_cell_file.h"

#include <optional>
#include <string_view>
#include <system_error>

#include "util/line_reader.h"
#include "util/output_file.h"
#include "util/text.h"

namespace veltrane {
namespace {

constexpr int kMaxColumns = 16384;
constexpr int kMaxRows = 1048576;

std::string EncodeText(const std::string& text) {
  if (text.find_first_of("\r\n") == std::string::npos) return text;
  std::string out = text;
  for (char& c : out) {
    if (c == '\r') c = '\t';
    if (c == '\n') c = '\b';
  }
  return out;
}

std::string DecodeText(std::string_view text) {
  std::string out(text);
  if (out.find('\b') == std::string::npos) return out;
  for (char& c : out) {
    if (c == '\t') c = '\r';
    if (c == '\b') c = '\n';
  }
  return out;
}

std::optional<int> ParseIndex(std::string_view s, int limit) {
  std::optional<int64_t> value = ParseInteger(s);
  if (!value || *value < 0 || *value >= limit) return std::nullopt;
  return static_cast<int>(*value);
}

// Splits "a,b,rest" into a, b and rest (rest may hold further commas);
// nullopt without a second comma.
struct CellLine {
  std::string_view column, row, text;
};
std::optional<CellLine> SplitCellLine(std::string_view line) {
  size_t first = line.find(',');
  if (first == std::string_view::npos) return std::nullopt;
  size_t second = line.find(',', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  return CellLine{line.substr(0, first),
                  line.substr(first + 1, second - first - 1),
                  line.substr(second + 1)};
}

}  // namespace

void SaveGridCellFile(const Grid& grid, const std::string& path) {
  try {
    OutputFile out(path);
    out.WriteLine(std::to_string(grid.columns()) + "," +
                  std::to_string(grid.rows()));
    for (int c = 0; c < grid.columns(); ++c) {
      out.WriteLine("cw " + std::to_string(c) + "," +
                    std::to_string(grid.ColumnWidth(c)));
    }
    grid.ForEachCell([&](int c, int r, const std::string& text) {
      out.WriteLine(std::to_string(c) + "," + std::to_string(r) + "," +
                    EncodeText(text));
    });
    out.Commit();
  } catch (const std::system_error&) {
    throw GridFileError("Cannot Create " + path);
  }
}

Grid LoadGridCellFile(const std::string& path) {
  std::unique_ptr<LineReader> reader = LineReader::Open(path);
  if (!reader) throw GridFileError("Cannot open file " + path);
  std::string line;
  std::optional<int> columns, rows;
  try {
    if (reader->Next(line)) {
      size_t comma = line.find(',');
      if (comma != std::string::npos) {
        std::string_view s(line);
        columns = ParseIndex(s.substr(0, comma), kMaxColumns + 1);
        rows = ParseIndex(s.substr(comma + 1), kMaxRows + 1);
      }
    }
    if (!columns || !rows || *columns == 0 || *rows == 0) {
      throw GridFileError("File contains no data or corrupt file " + path);
    }
    Grid grid(*columns, *rows);
    while (reader->Next(line)) {
      std::string_view s(line);
      if (s.starts_with("cw")) {
        size_t comma = s.find(',');
        if (comma == std::string_view::npos) continue;
        std::optional<int> column = ParseIndex(s.substr(2, comma - 2), *columns);
        std::optional<int64_t> width = ParseInteger(s.substr(comma + 1));
        if (column && width && *width >= 0 && *width <= 1 << 20) {
          grid.SetColumnWidth(*column, static_cast<int>(*width));
        }
        continue;
      }
      std::optional<CellLine> cell = SplitCellLine(s);
      if (!cell) continue;
      std::optional<int> column = ParseIndex(cell->column, *columns);
      std::optional<int> row = ParseIndex(cell->row, *rows);
      if (column && row) grid.SetCell(*column, *row, DecodeText(cell->text));
    }
    return grid;
  } catch (const std::system_error&) {
    throw GridFileError("Cannot open file " + path);
  }
}

}  // namespace veltrane
