#include "sheet/grid_cell_file.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// The field table of the MARC export as a user fills it.
Grid FieldTable() {
  Grid grid(2, 8);
  grid.SetCell(0, 0, "\xca\xe4\xb3\xf6\xb5\xc4MARC\xd7\xd6\xb6\xce");  // GBK
  grid.SetCell(1, 0, "heading");
  grid.SetCell(0, 1, "010a");
  grid.SetCell(1, 1, "ISBN");
  grid.SetCell(0, 3, "200a");  // row 2 left empty
  grid.SetCell(1, 3, "title, with commas, inside");
  grid.SetCell(1, 5, "two\r\nlines");
  grid.SetColumnWidth(0, 120);
  grid.SetColumnWidth(1, 210);
  return grid;
}

TEST(GridCellFileTest, WritesTheDocumentedLayout) {
  TempDir dir;
  SaveGridCellFile(FieldTable(), dir.Path("table"));
  EXPECT_EQ(ReadFile(dir.Path("table")),
            "2,8\r\n"
            "cw 0,120\r\ncw 1,210\r\n"
            "0,0,\xca\xe4\xb3\xf6\xb5\xc4MARC\xd7\xd6\xb6\xce\r\n"
            "1,0,heading\r\n"
            "0,1,010a\r\n1,1,ISBN\r\n"
            "0,3,200a\r\n1,3,title, with commas, inside\r\n"
            "1,5,two\t\blines\r\n");
}

TEST(GridCellFileTest, RoundTripRestoresTheTableExactly) {
  TempDir dir;
  Grid grid = FieldTable();
  grid.SetCell(0, 7, "lf\nonly");  // a lone LF must not break the line either
  SaveGridCellFile(grid, dir.Path("table"));
  EXPECT_EQ(LoadGridCellFile(dir.Path("table")), grid);
}

TEST(GridCellFileTest, ReadsLeniently) {
  TempDir dir;
  WriteFile(dir.Path("t"),
            "3,2\n"             // LF alone ends lines too
            "cw 1,99\r\n"
            "cw 7,50\r\n"       // no such column
            "cw x,50\r\n"       // not a number
            "2,1,a,b\r\n"
            "3,0,outside\r\n"   // no such column
            "0,2,outside\r\n"   // no such row
            "junk\r\n"
            "\r\n"
            "0,0,tab\tkept\r\n"  // no BS: TAB stays TAB
            "1,0,x\ty\bz\r\n");
  Grid grid = LoadGridCellFile(dir.Path("t"));
  EXPECT_EQ(grid.columns(), 3);
  EXPECT_EQ(grid.rows(), 2);
  EXPECT_EQ(grid.ColumnWidth(0), Grid::kDefaultColumnWidth);
  EXPECT_EQ(grid.ColumnWidth(1), 99);
  EXPECT_EQ(grid.Cell(2, 1), "a,b");
  EXPECT_EQ(grid.Cell(0, 0), "tab\tkept");
  EXPECT_EQ(grid.Cell(1, 0), "x\ry\nz");
}

TEST(GridCellFileTest, ErrorsNameTheFile) {
  TempDir dir;
  struct Case {
    std::string content;  // nullopt-like: "<none>" means no file
    std::string message;
  };
  const std::string path = dir.Path("g");
  for (const Case& c : std::vector<Case>{
           {"<none>", "Cannot open file " + path},
           {"", "File contains no data or corrupt file " + path},
           {"2\r\n", "File contains no data or corrupt file " + path},
           {"0,8\r\n", "File contains no data or corrupt file " + path},
           {"2,0\r\n", "File contains no data or corrupt file " + path},
           {"a,b\r\n", "File contains no data or corrupt file " + path},
           {"2,-1\r\n", "File contains no data or corrupt file " + path},
           {"2,99999999999\r\n", "File contains no data or corrupt file " + path},
       }) {
    std::filesystem::remove(path);
    if (c.content != "<none>") WriteFile(path, c.content);
    try {
      LoadGridCellFile(path);
      ADD_FAILURE() << c.content;
    } catch (const GridFileError& error) {
      EXPECT_EQ(error.what(), c.message) << c.content;
    }
  }
  try {
    SaveGridCellFile(FieldTable(), dir.Path("missing/g"));
    ADD_FAILURE();
  } catch (const GridFileError& error) {
    EXPECT_EQ(error.what(), "Cannot Create " + dir.Path("missing/g"));
  }
}

}  // namespace
}  // namespace veltrane
