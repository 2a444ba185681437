#include "ops/purchase_data.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "db/main_data.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::ReadFile;
using testing::RecordingHost;
using testing::TempDir;

class PurchaseDataTest : public ::testing::Test {
 protected:
  void SetUp() override { data_ = TMainData::Open(dir_.Path("veldata.db")); }

  // Purchases of these quantities, codes "A", "B", ... in this order.
  void Buy(const std::vector<int>& quantities) {
    std::string code = "A";
    for (int quantity : quantities) {
      data_->AddPurchase(code, quantity);
      ++code[0];
    }
    data_->LocaleTable().Reopen();
  }

  // The rows of `table` as "isbn:rsnumber", seen afresh; the cursor is left
  // where it was.
  std::vector<std::string> Rows(TableCursor& table) {
    int64_t position = table.Position();
    std::vector<std::string> rows;
    for (table.First(); !table.Eof(); table.Next()) {
      rows.push_back(table.Text("isbn") + ":" + table.Text("rsnumber"));
    }
    table.MoveTo(position);
    return rows;
  }

  TempDir dir_;
  std::unique_ptr<TMainData> data_;
  RecordingHost host_;
};

TEST_F(PurchaseDataTest, ExportWritesOneLineFormPerRow) {
  data_->AddPurchase("7-5006-3772-1", 2);
  data_->AddPurchase("7500-6375", 1);
  const std::vector<std::pair<PurchaseLine, std::string>> cases = {
      {PurchaseLine::kCodeOnly, "7-5006-3772-1\r\n7500-6375\r\n"},
      {PurchaseLine::kCodeSpaceCopies, "7-5006-3772-1 2\r\n7500-6375 1\r\n"},
      {PurchaseLine::kCodeTwoSpacesCopies,
       "7-5006-3772-1  2\r\n7500-6375  1\r\n"},
  };
  for (const auto& [line, bytes] : cases) {
    auto outcome =
        RunPurchaseExport({dir_.Path("out.txt"), line}, *data_, host_);
    ASSERT_TRUE(std::holds_alternative<PurchaseExportResult>(outcome));
    const PurchaseExportResult& result =
        std::get<PurchaseExportResult>(outcome);
    EXPECT_EQ(result.lines, 2);
    EXPECT_EQ(CompletionLine(result.completion), "导出完成!");
    EXPECT_EQ(ReadFile(dir_.Path("out.txt")), bytes);
    EXPECT_EQ(host_.total_, 2);
    EXPECT_EQ(host_.position_, 2);
  }
}

TEST_F(PurchaseDataTest, ExportOfEmptyTableCompletesWithoutFile) {
  auto blank = RunPurchaseExport({" ", PurchaseLine::kCodeOnly}, *data_, host_);
  ASSERT_TRUE(std::holds_alternative<InputProblem>(blank));
  EXPECT_EQ(std::get<InputProblem>(blank).message,
            "请指定你要输出的ISBN文件的文件名和路径！");

  auto outcome = RunPurchaseExport(
      {dir_.Path("out.txt"), PurchaseLine::kCodeOnly}, *data_, host_);
  ASSERT_TRUE(std::holds_alternative<PurchaseExportResult>(outcome));
  EXPECT_EQ(std::get<PurchaseExportResult>(outcome).lines, 0);
  EXPECT_EQ(std::get<PurchaseExportResult>(outcome).completion.text,
            "导出完成!");
  EXPECT_FALSE(std::filesystem::exists(dir_.Path("out.txt")));
}

TEST_F(PurchaseDataTest, EditNumberIsAWholeNumberOrZero) {
  const std::vector<std::pair<std::string, int64_t>> cases = {
      {"12", 12}, {"-3", -3}, {"", 0}, {"-", 0}, {"2\xB1\xBE", 0}, {"2 ", 0},
  };
  for (const auto& [text, number] : cases) {
    EXPECT_EQ(EditNumber(text), number) << text;
  }
}

TEST_F(PurchaseDataTest, SetShiftAndDeleteZeroQuantities) {
  Buy({5, 0, 1});
  TableCursor& locale = data_->LocaleTable();
  locale.MoveTo(2);
  SetAllCopies(locale, 2);
  EXPECT_EQ(locale.Position(), 0);
  EXPECT_EQ(Rows(locale), (std::vector<std::string>{"A:2", "B:2", "C:2"}));
  ShiftAllCopies(locale, -3);
  EXPECT_EQ(Rows(locale), (std::vector<std::string>{"A:-1", "B:-1", "C:-1"}));
  EXPECT_EQ(DeleteZeroQuantityRows(locale), 0);
  ShiftAllCopies(locale, EditNumber(""));
  EXPECT_EQ(Rows(locale), (std::vector<std::string>{"A:-1", "B:-1", "C:-1"}));
  SetAllCopies(locale, EditNumber(""));
  EXPECT_EQ(Rows(locale), (std::vector<std::string>{"A:0", "B:0", "C:0"}));

  // Written to the file, not only to the cursor.
  data_->LocaleTable().Reopen();
  EXPECT_EQ(data_->PurchasedCopies("C"), 0);

  data_->AppendBuyerRow("T", "X", 3, "");
  data_->BuyerTable().Reopen();
  ShiftAllCopies(data_->BuyerTable(), 2);
  EXPECT_EQ(data_->HeldCopies("X"), 5);
}

TEST_F(PurchaseDataTest, CountsOutsideThe32BitRangeChangeNothing) {
  Buy({5, -2});
  TableCursor& locale = data_->LocaleTable();
  EXPECT_THROW(SetAllCopies(locale, int64_t{1} << 32), std::out_of_range);
  EXPECT_THROW(ShiftAllCopies(locale, 2147483643), std::out_of_range);
  EXPECT_THROW(ShiftAllCopies(locale, -2147483647), std::out_of_range);
  EXPECT_EQ(Rows(locale), (std::vector<std::string>{"A:5", "B:-2"}));
  ShiftAllCopies(locale, 2147483642);
  EXPECT_EQ(Rows(locale),
            (std::vector<std::string>{"A:2147483647", "B:2147483640"}));
}

TEST_F(PurchaseDataTest, DeleteZeroKeepsOtherQuantities) {
  Buy({0, 0, 1, 0, -2});
  data_->AddPurchase("F", 0);
  TableCursor& locale = data_->LocaleTable();
  locale.Reopen();
  locale.Edit();
  locale.SetNull("rsnumber");  // an empty value counts as 0
  locale.Post();
  locale.MoveTo(4);
  EXPECT_EQ(DeleteZeroQuantityRows(locale), 4);
  EXPECT_EQ(locale.Position(), 0);
  EXPECT_EQ(Rows(locale), (std::vector<std::string>{"C:1", "E:-2"}));
}

TEST_F(PurchaseDataTest, EmptyTablesAreLeftAlone) {
  TableCursor& locale = data_->LocaleTable();
  SetAllCopies(locale, 2);
  ShiftAllCopies(locale, 2);
  EXPECT_EQ(DeleteZeroQuantityRows(locale), 0);
  EXPECT_FALSE(DeleteCurrentRow(locale));
  EXPECT_EQ(ClearBuyerData(*data_), std::nullopt);
  EXPECT_EQ(ClearPurchaseData(*data_), std::nullopt);
}

TEST_F(PurchaseDataTest, DeleteCurrentRow) {
  Buy({1, 2, 3});
  TableCursor& locale = data_->LocaleTable();
  locale.MoveTo(1);
  EXPECT_TRUE(DeleteCurrentRow(locale));
  EXPECT_EQ(Rows(locale), (std::vector<std::string>{"A:1", "C:3"}));
  EXPECT_EQ(locale.Text("isbn"), "C");
  locale.Reopen();
  EXPECT_EQ(locale.RecordCount(), 2);
}

TEST_F(PurchaseDataTest, ClearingTablesThatHaveRows) {
  Buy({1, 2});
  data_->AppendBuyerRow("T", "X", 3, "");
  EXPECT_EQ(ClearBuyerData(*data_), "完成清空采购方数据库!");
  EXPECT_EQ(data_->BuyerTable().RecordCount(), 0);
  EXPECT_EQ(data_->HeldCopies("X"), 0);
  EXPECT_EQ(data_->PurchasedCopies("B"), 2);

  EXPECT_EQ(ClearPurchaseData(*data_), "完成清空本次现采数据库!");
  EXPECT_EQ(data_->LocaleTable().RecordCount(), 0);
  data_->AddPurchase("7-5006-3772-1", 1);
  data_->LocaleTable().Reopen();
  EXPECT_EQ(data_->LocaleTable().Text("recno"), "1");

  EXPECT_EQ(
      ClearBuyerQuestion(3),
      "采购方数据共有3条，清空后无法恢复。\n\n确定要清空所有采购方数据吗？");
  EXPECT_EQ(
      ClearPurchaseQuestion(12),
      "本次现采数据共有12条，清空后无法恢复。\n\n确定要清空所有现采数据吗？");
}

}  // namespace
}  // namespace veltrane
