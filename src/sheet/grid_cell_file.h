// The grid cell file: the small text file in which a settings grid (the
// field table of the MARC export, the batch rule table) is saved and loaded.
//
// Format (bytes as the grid holds them, GBK in practice; lines end in CR LF):
//   columns "," rows                      e.g. "2,8", the heading row counted
//   "cw " column "," width                one line per column, from 0
//   column "," row "," text               one line per non-empty cell, row by
//                                         row, within a row column by column
// A text holding CR or LF is written with every CR as TAB and every LF as BS
// (0x08); a text read back that holds a BS has TAB turned into CR and BS into
// LF. A text may hold commas: only the first two commas of a line separate.
#ifndef VELTRANE_SHEET_GRID_CELL_FILE_H_
#define VELTRANE_SHEET_GRID_CELL_FILE_H_

#include <stdexcept>
#include <string>

#include "sheet/grid.h"

namespace veltrane {

// A grid cell file could not be written or read. what() is the message the
// user sees: "Cannot Create " + path, "Cannot open file " + path, or
// "File contains no data or corrupt file " + path.
class GridFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Writes `grid` to `path`. The file is written beside the target and moved
// into place when complete, so a failure leaves the old file as it was.
// Throws GridFileError ("Cannot Create ...").
void SaveGridCellFile(const Grid& grid, const std::string& path);

// Reads the grid saved in `path`: its size from the first line, the widths of
// existing columns from "cw" lines, and every cell line whose column and row
// lie inside that size (others, and lines that do not parse, are skipped).
// The result holds only what the file says: a loaded table replaces the old
// one rather than mixing with it. Throws GridFileError ("Cannot open file
// ..." when unreadable; "File contains no data or corrupt file ..." when the
// first line gives no positive number of columns and rows, or more than a
// sheet holds: 16384 columns, 1048576 rows).
Grid LoadGridCellFile(const std::string& path);

}  // namespace veltrane

#endif  // VELTRANE_SHEET_GRID_CELL_FILE_H_
