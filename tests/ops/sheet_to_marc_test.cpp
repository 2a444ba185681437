// Workbook to MARC: the proposed column table, the rows converted, stopping,
// and the checks and warning before a run.
#include "ops/sheet_to_marc.h"

#include <gtest/gtest.h>

#include "marc/record.h"
#include "marc/scanner.h"
#include "ops/sheet_test_support.h"
#include "support/test_support.h"
#include "util/encoding.h"

namespace veltrane {
namespace {

using testing::Rows;
using testing::TempDir;

// Rows written from the sheet's third row and second column on.
void WriteSheetAt(const std::string& path, const Rows& rows) {
  Rows shifted(2);
  for (const auto& row : rows) {
    shifted.push_back({""});
    shifted.back().insert(shifted.back().end(), row.begin(), row.end());
  }
  testing::WriteSheets(path, {testing::SheetOf("Sheet1", shifted)});
}

std::vector<TMarcRecord> ReadRecords(const std::string& path) {
  std::vector<TMarcRecord> records;
  testing::RecordingHost host;
  ScanMarcFile(
      path,
      [&](int64_t, std::string_view text, bool&) {
        records.push_back(TMarcRecord::Create(text));
      },
      host);
  return records;
}

class SheetToMarcTest : public ::testing::Test {
 protected:
  SheetToMarcOptions Options(const Rows& rows) {
    WriteSheetAt(dir_.Path("in.xlsx"), rows);
    SheetToMarcOptions options;
    options.sheet_file = dir_.Path("in.xlsx");
    options.marc_file = dir_.Path("out.iso");
    options.columns = ProposeColumnTable(options.sheet_file);
    return options;
  }
  SheetToMarcResult Run(const SheetToMarcOptions& options) {
    auto outcome = RunSheetToMarc(options, host_);
    EXPECT_TRUE(std::holds_alternative<SheetToMarcResult>(outcome));
    return std::get<SheetToMarcResult>(outcome);
  }

  TempDir dir_;
  testing::RecordingHost host_;
};

TEST_F(SheetToMarcTest, HeadingsProposeFieldsByTheirSheetColumn) {
  SheetToMarcOptions options =
      Options({{" ISBN ", "书名", "备注", "isbn", "Isbn"}});
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"2", "010a"}, {"3", "200a"}, {"4", ""}, {"5", "010a"}, {"6", ""}};
  ASSERT_EQ(options.columns.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(options.columns[i].number, expected[i].first);
    EXPECT_EQ(options.columns[i].spec, expected[i].second);
  }
  EXPECT_EQ(options.columns[0].heading, "ISBN");
}

TEST_F(SheetToMarcTest, RowsAfterTheHeadingRowBecomeRecords) {
  SheetToMarcOptions options = Options(
      {{"ISBN", "书名", "定价"}, {"7500637721", "书名一", "25"}, {"", "二", ""}});
  SheetToMarcResult result = Run(options);
  EXPECT_EQ(result.records, 2);
  EXPECT_EQ(result.completion.detail, "共2条记录");
  std::vector<TMarcRecord> records = ReadRecords(options.marc_file);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].GetValue("200a"), Utf8ToGbk("书名一"));
  EXPECT_EQ(records[0].GetValue("010d"), "CNY25.00");
  EXPECT_EQ(records[1].GetValue("001").substr(6), "000002");

  options.first_row_too = true;
  EXPECT_EQ(Run(options).records, 3);
  EXPECT_EQ(ReadRecords(options.marc_file)[0].GetValue("200a"),
            Utf8ToGbk("书名"));
}

TEST_F(SheetToMarcTest, OnlyAHeadingRowGivesAnEmptyFile) {
  SheetToMarcOptions options = Options({{"书名"}});
  EXPECT_EQ(Run(options).records, 0);
  EXPECT_EQ(testing::ReadFile(options.marc_file), "");
}

class StopAfter : public testing::RecordingHost {
 public:
  explicit StopAfter(int64_t records) : records_(records) {}
  bool StopRequested() override { return position_ >= records_; }

 private:
  int64_t records_;
};

TEST_F(SheetToMarcTest, StopKeepsTheRecordsWritten) {
  Rows rows = {{"书名"}};
  for (int i = 0; i < 9; ++i) rows.push_back({"t" + std::to_string(i)});
  SheetToMarcOptions options = Options(rows);
  StopAfter host(5);
  auto result = std::get<SheetToMarcResult>(RunSheetToMarc(options, host));
  EXPECT_TRUE(result.stopped);
  EXPECT_EQ(result.records, 5);
  EXPECT_EQ(ReadRecords(options.marc_file).size(), 5u);
}

TEST_F(SheetToMarcTest, ChecksAndTheWarning) {
  SheetToMarcOptions options = Options({{"书名", "ISBN"}});
  EXPECT_EQ(CheckSheetToMarc(options), std::nullopt);
  std::optional<std::string> warning = SuggestedFieldsWarning(options.columns);
  ASSERT_TRUE(warning);
  EXPECT_TRUE(warning->starts_with("建议指定：ISBN     (010a)、\r"));
  for (const char* spec : {"010a", "210c", "200f", "010d", "210d", "101a"}) {
    options.columns.push_back({"9", "", spec});
  }
  EXPECT_EQ(SuggestedFieldsWarning(options.columns), std::nullopt);

  options.columns = {{"1", "", "200"}};
  EXPECT_EQ(CheckSheetToMarc(options)->message, "必需指定书名字段200a！");
  options.marc_file = "";
  EXPECT_EQ(CheckSheetToMarc(options)->message, "请指定要输出的文件名及路径！");
  options.sheet_file = dir_.Path("none.xls");
  EXPECT_EQ(CheckSheetToMarc(options)->message, "请指定原始EXCEL文件。");
}

}  // namespace
}  // namespace veltrane
