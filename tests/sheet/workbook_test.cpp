#include "sheet/workbook.h"

#include <gtest/gtest.h>

namespace veltrane {
namespace {

TEST(WorkbookTest, BlockAddressAndLettersReadBack) {
  struct Case {
    uint32_t columns;
    const char* letters;
  };
  for (const Case& c : std::vector<Case>{{1, "A"},     {26, "Z"},  {27, "AA"},
                                         {52, "AZ"},   {53, "BA"}, {702, "ZZ"},
                                         {703, "AAA"}, {16384, "XFD"}}) {
    EXPECT_EQ(ColumnLetters(c.columns), c.letters);
    EXPECT_EQ(ColumnFromLetters(c.letters), c.columns);
  }
  EXPECT_EQ(BlockAddress(65001, 4), "A1:D65001");
  EXPECT_EQ(BlockAddress(1, 52), "A1:AZ1");
  for (const char* bad : {"", "a", "A1", "AAAA", "@"}) {
    EXPECT_EQ(ColumnFromLetters(bad), 0u) << bad;
  }
}

TEST(WorkbookTest, CellsInAnyOrderAndUsedBlock) {
  Sheet sheet("s");
  EXPECT_TRUE(sheet.used().empty());
  EXPECT_EQ(UsedRangeAddress(sheet.used()), "$A$1");
  sheet.SetCell(4, 3, "d5");
  sheet.SetCell(2, 5, "f3");  // before the last cell: inserted in order
  sheet.SetCell(4, 3, "D5");  // replaced
  sheet.SetCell(9, 1, "b10");
  sheet.SetCell(9, 1, "");    // cleared
  EXPECT_EQ(sheet.Cell(4, 3), "D5");
  EXPECT_EQ(sheet.Cell(2, 5), "f3");
  EXPECT_EQ(sheet.Cell(9, 1), "");
  EXPECT_EQ(sheet.cell_count(), 2u);
  EXPECT_EQ(sheet.used(), (UsedBlock{2, 3, 3, 3}));
  EXPECT_EQ(UsedRangeAddress(sheet.used()), "$D$3:$F$5");
  std::vector<std::string> order;
  sheet.ForEachCell([&](uint32_t, uint32_t, std::string_view text) {
    order.emplace_back(text);
  });
  EXPECT_EQ(order, (std::vector<std::string>{"f3", "D5"}));
  Sheet one;
  one.SetCell(1, 1, "x");
  EXPECT_EQ(UsedRangeAddress(one.used()), "$B$2");
}

TEST(WorkbookTest, ReadCellAndFindSheet) {
  Workbook book;
  EXPECT_EQ(ReadCell(book, 1, 1), "");
  book.sheets.emplace_back("Sheet1");
  book.sheets.emplace_back("数据");
  book.sheets[1].SetCell(0, 0, "a1");
  book.active = 1;
  EXPECT_EQ(ReadCell(book, 1, 1), "a1");
  EXPECT_EQ(ReadCell(book, 0, 1), "");
  EXPECT_EQ(book.FindSheet("sheet1"), &book.sheets[0]);
  EXPECT_EQ(book.FindSheet("数据"), &book.sheets[1]);
  EXPECT_EQ(book.FindSheet("Sheet2"), nullptr);
}

}  // namespace
}  // namespace veltrane
