// Every real workbook of the sample folder: read without a crash, with its
// sheet names, its Chinese (or Japanese) text and its used block (the block
// of cells with a value; cells that only carry formatting do not count).
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "sheet/workbook_io.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

struct Expected {
  const char* sheet;    // a sheet the file has
  const char* address;  // that sheet's used block, or "" not to check
  const char* text;     // a text of that sheet, or ""
};

bool SheetHolds(const Sheet& sheet, const std::string& text) {
  bool found = false;
  sheet.ForEachCell([&](uint32_t, uint32_t, std::string_view cell) {
    found = found || cell.find(text) != std::string_view::npos;
  });
  return found;
}

TEST(SampleWorkbooksTest, ReadWithNamesTextAndUsedBlock) {
  std::optional<std::string> samples = testing::SamplesDir();
  if (!samples || !std::filesystem::is_directory(*samples + "/xls")) {
    GTEST_SKIP() << "no sample folder";
  }
  // Files that are refused, each with the reason the message gives.
  const std::map<std::string, std::string> refused = {
      {"calamine__too_small.xls", "不是EXCEL工作簿"},
      {"calamine__pass_protected.xlsx", "密码保护"},
      // BIFF5 in the Mac Roman code page, which libfreexl does not read.
      {"calamine__biff5_write.xls", "已损坏或不完整"},
  };
  const std::map<std::string, Expected> expected = {
      {"poi__chinese-provinces.xls", {"provinces", "$A$1:$B$4", "安徽省"}},
      {"poi__61287.xls", {"第一页", "", "资产负债表"}},
      {"poi__19599-2.xls", {"订阅上行列表", "", ""}},
      {"poi__12843-2.xls", {"topics", "", "背影"}},
      {"parseexcel__Test95J.xls", {"漢字名", "", ""}},
      {"parseexcel__Test97J.xls", {"漢字名", "", ""}},
      {"calamine__issue219.xls", {"工作表1", "$A$1", ""}},
      {"xlrd__xf_class.xls", {"table2", "$C$4", "MERGED"}},
      {"poi__49273.xlsx", {"Sheet1", "", "合并单元格"}},
      {"poi__54071.xlsx", {"双11商品导入定制打标时间模板", "", "2012-11-11"}},
      {"calamine__header-row.xlsx", {"Sheet1", "$A$3:$D$10", ""}},
      {"calamine__issue446.xlsx", {"Sheet1", "", "120000"}},
      {"excelize__Book1.xlsx", {"Sheet1", "$A$19:$D$22", ""}},
      {"calamine__date_1904.xlsx", {"Sheet1", "", "2021-01-01"}},
      {"calamine__date_1904.xls", {"Sheet1", "", "2021-01-01"}},
  };
  int read = 0;
  for (const auto& entry : std::filesystem::directory_iterator(*samples + "/xls")) {
    std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    auto refusal = refused.find(name);
    if (refusal != refused.end()) {
      try {
        ReadWorkbook(entry.path().string());
        ADD_FAILURE() << "read";
      } catch (const WorkbookError& error) {
        EXPECT_NE(std::string(error.what()).find(refusal->second), std::string::npos)
            << error.what();
      }
      continue;
    }
    Workbook book = ReadWorkbook(entry.path().string());
    ++read;
    ASSERT_FALSE(book.sheets.empty());
    for (const Sheet& sheet : book.sheets) EXPECT_FALSE(sheet.name().empty());
    EXPECT_FALSE(book.active_sheet()->used().empty());
    auto want = expected.find(name);
    if (want == expected.end()) continue;
    const Sheet* sheet = book.FindSheet(want->second.sheet);
    ASSERT_NE(sheet, nullptr) << want->second.sheet;
    if (*want->second.address) {
      EXPECT_EQ(UsedRangeAddress(sheet->used()), want->second.address);
    }
    if (*want->second.text) {
      EXPECT_TRUE(SheetHolds(*sheet, want->second.text));
    }
  }
  EXPECT_GT(read, 0);
}

}  // namespace
}  // namespace veltrane
