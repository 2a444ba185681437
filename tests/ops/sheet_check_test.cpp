// The workbook check's run: marks, the four result sheets, an existing
// result workbook, the marked source sheets, stopping and the checks.
#include "ops/sheet_check.h"

#include <gtest/gtest.h>

#include "bench/sheet_generator.h"
#include "ops/sheet_test_support.h"
#include "sheet/workbook_io.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::ReadSheetRows;
using testing::Rows;
using testing::SheetOf;
using testing::TempDir;
using testing::WriteSheets;

// Options with the pair (0, 0) and `result_file`.
SheetCheckOptions Options(const std::string& result_file) {
  SheetCheckOptions options;
  options.pairs = {{0, 0}};
  options.result_file = result_file;
  return options;
}

const Rows kBuyer = {{"ISBN", "书名"}, {"1", "a"}, {"2", "b"}};
const Rows kSupplier = {{"条码"}, {"1"}, {"1"}, {"3"}};

class SheetCheckTest : public ::testing::Test {
 protected:
  SheetCheckResult Run(const SheetCheckOptions& options) {
    auto outcome = RunSheetCheck(options, buyer_, supplier_, host_);
    EXPECT_TRUE(std::holds_alternative<SheetCheckResult>(outcome));
    return std::get<SheetCheckResult>(outcome);
  }

  TempDir dir_;
  testing::RecordingHost host_;
  Grid buyer_ = GridFromRows(kBuyer);
  Grid supplier_ = GridFromRows(kSupplier);
};

TEST_F(SheetCheckTest, FourResultSheetsFromTheMarkedLists) {
  for (const char* name : {"result.xls", "result.xlsx"}) {
    buyer_ = GridFromRows(kBuyer);
    supplier_ = GridFromRows(kSupplier);
    const std::string path = dir_.Path(name);
    SheetCheckResult result = Run(Options(path));
    EXPECT_EQ(result.buyer_marked, 1);
    EXPECT_EQ(result.supplier_marked, 2);
    EXPECT_EQ(ReadSheetRows(path, "采购方有供应方没有"),
              (Rows{{"ISBN", "书名", "标记"}, {"2", "b"}}));
    EXPECT_EQ(ReadSheetRows(path, "双方都有（采购方）"),
              (Rows{{"ISBN", "书名", "标记"}, {"1", "a", "对方已有"}}));
    EXPECT_EQ(ReadSheetRows(path, "双方都有（供应方）"),
              (Rows{{"条码", "标记"}, {"1", "对方已有"}, {"1", "对方已有"}}));
    EXPECT_EQ(ReadSheetRows(path, "采购方没有供应方有"),
              (Rows{{"条码", "标记"}, {"3"}}));
  }
}

// The four sheets are written from A1 over what they held; other sheets and
// cells beyond the new blocks stay. An .xls is first kept beside itself.
TEST_F(SheetCheckTest, ExistingResultWorkbookKeepsWhatTheBlocksDoNotCover) {
  for (const char* name : {"old.xls", "old.xlsx"}) {
    buyer_ = GridFromRows(kBuyer);
    supplier_ = GridFromRows(kSupplier);
    const std::string path = dir_.Path(name);
    WriteSheets(path, {SheetOf("其他", {{"x", "y"}}),
                       SheetOf("采购方有供应方没有",
                               {{"old", "old", "old", "old"},
                                {"old", "old", "old", "old"},
                                {"old", "old", "old", "old"}})});
    SheetCheckResult result = Run(Options(path));
    EXPECT_EQ(ReadSheetRows(path, "其他"), (Rows{{"x", "y"}}));
    EXPECT_EQ(ReadSheetRows(path, "采购方有供应方没有"),
              (Rows{{"ISBN", "书名", "标记", "old"},
                    {"2", "b", "", "old"},
                    {"old", "old", "old", "old"}}));
    EXPECT_EQ(ReadWorkbook(path).sheets.size(), 5u);
    EXPECT_EQ(result.completion.detail.empty(),
              std::string(name).ends_with(".xlsx"))
        << result.completion.detail;
  }
}

TEST_F(SheetCheckTest, MarkedListsGoBackIntoTheirWorkbooks) {
  const std::string buyer_file = dir_.Path("buyer.xlsx");
  const std::string supplier_file = dir_.Path("supplier.xlsx");
  WriteSheets(buyer_file, {SheetOf("Sheet1", kBuyer)});
  WriteSheets(supplier_file, {SheetOf("Sheet1", kSupplier)});
  SheetCheckOptions options = Options("");
  options.buyer_file = buyer_file;
  options.supplier_file = supplier_file;
  options.mark_sources = true;
  Run(options);
  EXPECT_EQ(ReadSheetRows(buyer_file, "Sheet1"), kBuyer);
  EXPECT_EQ(ReadSheetRows(buyer_file, "加了标记之后的表"),
            (Rows{{"ISBN", "书名", "标记"}, {"1", "a", "对方已有"}, {"2", "b"}}));
  EXPECT_EQ(ReadSheetRows(supplier_file, "加了标记之后的表"),
            (Rows{{"条码", "标记"}, {"1", "对方已有"}, {"1", "对方已有"}, {"3"}}));
}

// Without heading rows row 0 is data too (its mark cell still names the
// column), and every block holds only data rows.
TEST_F(SheetCheckTest, ListsWithoutHeadingRow) {
  const std::string path = dir_.Path("result.xlsx");
  SheetCheckOptions options = Options(path);
  options.buyer_heading = options.supplier_heading = false;
  Run(options);
  EXPECT_EQ(ReadSheetRows(path, "双方都有（采购方）"), (Rows{{"1", "a", "对方已有"}}));
  EXPECT_EQ(ReadSheetRows(path, "采购方没有供应方有"),
            (Rows{{"条码", "标记"}, {"3"}}));
}

class StoppingHost : public testing::RecordingHost {
  bool StopRequested() override { return true; }
};

TEST_F(SheetCheckTest, StopLeavesTheListsAndWritesNothing) {
  StoppingHost host;
  const std::string path = dir_.Path("result.xlsx");
  auto outcome = RunSheetCheck(Options(path), buyer_, supplier_, host);
  EXPECT_TRUE(std::get<SheetCheckResult>(outcome).stopped);
  EXPECT_EQ(buyer_, GridFromRows(kBuyer));
  EXPECT_EQ(supplier_, GridFromRows(kSupplier));
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(SheetCheckTest, ChecksInThePagesOrder) {
  const Grid empty;
  struct Case {
    Grid buyer, supplier;
    SheetCheckOptions options;
    const char* message;
  } cases[] = {
      {empty, empty, Options("r.xls"), "请指定采购方文件!"},
      {buyer_, GridFromRows({{"", ""}, {"1"}}), Options("r.xls"),
       "请指定供应方文件!"},
      {buyer_, supplier_, SheetCheckOptions(), "请设置匹配字段!"},
      {buyer_, supplier_, Options(""),
       "请指定查重结果\r\r是输出到文件，还是保存到原文件!"},
  };
  for (Case& c : cases) {
    auto outcome = RunSheetCheck(c.options, c.buyer, c.supplier, host_);
    ASSERT_TRUE(std::holds_alternative<InputProblem>(outcome)) << c.message;
    EXPECT_EQ(std::get<InputProblem>(outcome).message, c.message);
  }
}

}  // namespace
}  // namespace veltrane
