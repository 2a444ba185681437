// MARC to workbook: the cells of each field specification, the record
// limits of the two formats, unreadable records and the checks.
#include "ops/marc_to_sheet.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "ops/sheet_test_support.h"
#include "support/test_support.h"
#include "util/encoding.h"

namespace veltrane {
namespace {

using testing::IsoRecord;
using testing::ReadSheetRows;
using testing::Rows;
using testing::TempDir;
using testing::WriteFile;

class MarcToSheetTest : public ::testing::Test {
 protected:
  std::variant<InputProblem, MarcToSheetResult> Run(
      const std::string& records, std::vector<FieldColumn> fields,
      const std::string& out = "out.xlsx") {
    WriteFile(dir_.Path("in.iso"), records);
    return RunMarcToSheet({dir_.Path("in.iso"), dir_.Path(out), fields},
                          host_);
  }

  TempDir dir_;
  testing::RecordingHost host_;
};

TEST_F(MarcToSheetTest, FirstOccurrencesWholeFieldsAndHeadings) {
  const std::string title = Utf8ToGbk("书名");
  const std::string records =
      IsoRecord({{"010", "  $a7-5006-3772-1$d10"},
                 {"200", "1 $a" + title + "$aT2"},
                 {"200", "1 $aT3"}}) +
      "\r\n" + IsoRecord({{"001", "2"}});
  auto outcome = Run(records, {{"010a", "ISBN"},
                               {"200a", "书名"},
                               {"", "不输出"},
                               {"200", ""},
                               {"010a", "ISBN"}});
  ASSERT_TRUE(std::holds_alternative<MarcToSheetResult>(outcome));
  EXPECT_EQ(std::get<MarcToSheetResult>(outcome).completion.detail, "共2条");
  EXPECT_EQ(ReadSheetRows(dir_.Path("out.xlsx"), "Sheet1"),
            (Rows{{"ISBN", "书名", "", "ISBN"},
                  {"7-5006-3772-1", "书名", "■a书名■aT2", "7-5006-3772-1"}}));
}

TEST_F(MarcToSheetTest, UnreadableRecordKeepsAnEmptyRow) {
  std::string bad = IsoRecord({{"010", "  $aB"}});
  bad[13] = 'x';
  auto outcome =
      Run(IsoRecord({{"010", "  $aA"}}) + bad + IsoRecord({{"010", "  $aC"}}),
          {{"010a", "ISBN"}});
  EXPECT_EQ(std::get<MarcToSheetResult>(outcome).failed, 1);
  EXPECT_EQ(ReadSheetRows(dir_.Path("out.xlsx"), "Sheet1"),
            (Rows{{"ISBN"}, {"A"}, {}, {"C"}}));
}

// 65000 records is the limit of an .xls sheet; an .xlsx takes more.
TEST_F(MarcToSheetTest, RecordLimitBelongsToTheFormat) {
  std::string records;
  const std::string record = IsoRecord({{"001", "1"}});
  for (int i = 0; i < 65001; ++i) records += record;
  auto refused = Run(records, {{"001", "号"}}, "big.xls");
  ASSERT_TRUE(std::holds_alternative<InputProblem>(refused));
  EXPECT_TRUE(std::get<InputProblem>(refused).message.starts_with(
      "MARC文件记录大多，受EXCEL表格行数限制，本功能的处理极限是65000条记录"));
  EXPECT_FALSE(std::filesystem::exists(dir_.Path("big.xls")));
  auto done = Run(records, {{"001", "号"}}, "big.xlsx");
  EXPECT_EQ(std::get<MarcToSheetResult>(done).records, 65001);
}

TEST_F(MarcToSheetTest, ChecksInThePagesOrder) {
  const std::string record = IsoRecord({{"001", "1"}});
  EXPECT_EQ(std::get<InputProblem>(RunMarcToSheet(
                {dir_.Path("none.iso"), "out.xls", {{"001", ""}}}, host_))
                .message,
            "请指定原始MARC文件。");
  WriteFile(dir_.Path("in.iso"), record);
  EXPECT_EQ(std::get<InputProblem>(RunMarcToSheet(
                {dir_.Path("in.iso"), " ", {{"001", ""}}}, host_))
                .message,
            "请指定要输出的文件名及路径！");
  EXPECT_EQ(std::get<InputProblem>(Run("", {{"001", ""}})).message,
            "原始MARC文件为空！");
  EXPECT_EQ(std::get<InputProblem>(Run(record, {{"", "书名"}})).message,
            "请设置要输出的MARC字段，和对应在EXCEL表格中的表头名称！");
}

}  // namespace
}  // namespace veltrane
