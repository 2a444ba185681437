#include "ops/purchase_sheet_export.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "db/main_data.h"
#include "ops/sheet_test_support.h"
#include "support/test_support.h"
#include "util/encoding.h"

namespace veltrane {
namespace {

TEST(PurchaseSheetExportTest, HeadingsThenOneRowPerPurchase) {
  testing::TempDir dir;
  testing::RecordingHost host;
  std::unique_ptr<TMainData> data = TMainData::Open(dir.Path("veldata.db"));
  const std::string path = dir.Path("bought.xls");
  auto empty = RunPurchaseSheetExport({path}, *data, host);
  EXPECT_EQ(std::get<PurchaseSheetExportResult>(empty).rows, 0);
  EXPECT_FALSE(std::filesystem::exists(path));

  data->AddPurchase("7-5006-3772-1", 2);
  data->AddPurchase(Utf8ToGbk("书号"), 1);
  auto outcome = RunPurchaseSheetExport({path}, *data, host);
  EXPECT_EQ(std::get<PurchaseSheetExportResult>(outcome).completion.text,
            "导出完成!");
  testing::Rows rows = testing::ReadSheetRows(path, "Sheet1");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"序号", "ISBN", "采购数量", "时间"}));
  EXPECT_EQ(rows[1][0], "1");
  EXPECT_EQ(rows[1][2], "2");
  EXPECT_EQ(rows[2][1], "书号");
  EXPECT_EQ(rows[2][3].size(), 19u);  // "yyyy-mm-dd hh:mm:ss"
}

}  // namespace
}  // namespace veltrane
