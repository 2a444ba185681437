#include "ops/batch_modify.h"

#include <gtest/gtest.h>

#include "marc/record.h"
#include "marc/scanner.h"
#include "sheet/grid.h"
#include "support/test_support.h"
#include "util/encoding.h"

namespace veltrane {
namespace {

using testing::IsoRecord;
using testing::ReadFile;
using testing::RecordingHost;
using testing::TempDir;
using testing::WriteFile;

// A rule row typed in UTF-8, held as the table holds it (GBK).
BatchRule Rule(const std::string& field, const std::string& operation,
               const std::string& indicator, const std::string& content) {
  return {field, Utf8ToGbk(operation), indicator, Utf8ToGbk(content)};
}

// The data fields tagged `tag`, each as indicators + data, delimiters as
// "$".
std::vector<std::string> FieldsOf(const TMarcRecord& record,
                                  const std::string& tag) {
  std::vector<std::string> fields;
  for (const TMarcFieldClass& field : record.Fields()) {
    if (field.Tag != tag) continue;
    std::string indicator = field.Indicator;
    indicator.resize(2, ' ');  // as written
    std::string text = indicator + field.Data;
    for (char& c : text) {
      if (c == kSubfieldDelimiter) c = '$';
    }
    fields.push_back(text);
  }
  return fields;
}

using Fields = std::vector<std::string>;

TMarcRecord Sample() {
  return TMarcRecord::Create(IsoRecord({{"001", "1"},
                                        {"101", "1 $bfre"},
                                        {"200", "0 $aTitle$eSub"},
                                        {"200", "0 $aOther"},
                                        {"210", "  $aBeijing"},
                                        {"210", "  $aShanghai$d2001"},
                                        {"606", "  $aTopic"},
                                        {"801", " 0$aCN"},
                                        {"905", "  $aX$aY$f2"},
                                        {"-01", "local"}}));
}

TEST(ApplyBatchRulesTest, RowsActInOrderOnTheirFields) {
  struct Case {
    const char* name;
    std::vector<BatchRule> rules;
    bool add_when_missing;
    std::string tag;
    Fields expected;
  };
  const std::vector<Case> cases = {
      {"add then delete leaves none",
       {Rule("801", "增加", "0", "■aCN■bLib"), Rule("801", "删除", "", "")},
       false,
       "801",
       {}},
      {"add a field",
       {Rule("801", "增加", "0", "■aCN■bLib■c20240101")},
       false,
       "801",
       {"0 $aCN$bLib$c20240101", " 0$aCN"}},
      {"add a subfield to every field",
       {Rule("210c", "增加", "", "Press")},
       false,
       "210",
       {"  $aBeijing$cPress", "  $aShanghai$cPress$d2001"}},
      {"add a subfield where the tag is missing",
       {Rule("700a", "增加", "1", "Name")},
       false,
       "700",
       {"1 $aName"}},
      {"modify a missing subfield: indicators only",
       {Rule("101a", "修改", "0", "chi")},
       false,
       "101",
       {"0 $bfre"}},
      {"modify a missing subfield, added when missing",
       {Rule("101a", "修改", "0", "chi")},
       true,
       "101",
       {"0 $achi$bfre"}},
      {"modify indicators only",
       {Rule("200", "修改", "1", "")},
       false,
       "200",
       {"1 $aTitle$eSub", "1 $aOther"}},
      {"modify a missing field",
       {Rule("700a", "修改", "", "Name")},
       false,
       "700",
       {}},
      {"modify a missing field, added when missing",
       {Rule("700a", "修改", "", "Name")},
       true,
       "700",
       {"  $aName"}},
      {"delete the first occurrence",
       {Rule("905a", "删除", "", "")},
       false,
       "905",
       {"  $aY$f2"}},
      {"delete a local field", {Rule("-01", "删除", "", "")}, false, "-01", {}},
      {"change a tag",
       {Rule("606", "改字段号", "", "607")},
       false,
       "607",
       {"  $aTopic"}},
      {"change a tag needs two 3-byte tags",
       {Rule("6060", "改字段号", "", "607"), Rule("606", "改字段号", "", "60")},
       false,
       "606",
       {"  $aTopic"}},
      {"later rows win",
       {Rule("200a", "修改", "", "A"), Rule("200a", "修改", "", "B")},
       false,
       "200",
       {"0 $aB$eSub", "0 $aB"}},
      {"incomplete and invalid rows do nothing",
       {Rule("2x0a", "删除", "", ""), Rule("20", "删除", "", ""),
        Rule("200", "修改", "", ""), Rule("200", "增加", "1", ""),
        Rule("200", "", "", ""), Rule("", "删除", "", ""),
        Rule("200", "替换", "", "x")},
       false,
       "200",
       {"0 $aTitle$eSub", "0 $aOther"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMarcRecord record = Sample();
    ApplyBatchRules(c.rules, c.add_when_missing, record);
    EXPECT_EQ(FieldsOf(record, c.tag), c.expected);
  }
}

TEST(BatchRulesFromGridTest, RowsBelowTheHeading) {
  Grid grid(4, 3);
  grid.SetCell(0, 0, "heading");
  grid.SetCell(0, 1, "801");
  grid.SetCell(3, 2, "x");
  const std::vector<BatchRule> rules = BatchRulesFromGrid(grid);
  ASSERT_EQ(rules.size(), 2u);
  EXPECT_EQ(rules[0].field, "801");
  EXPECT_EQ(rules[1].content, "x");
}

class BatchModifyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("VELTRANE_ERROR_LOG", Path("ErrorLog.txt").c_str(), 1);
  }
  std::string Path(const std::string& name) const { return dir_.Path(name); }

  BatchModifyOptions Options(std::vector<BatchRule> rules) {
    return {Path("in.iso"), Path("out.iso"), std::move(rules), false, "",
            false};
  }

  // The records of out.iso.
  std::vector<TMarcRecord> Output() {
    std::vector<TMarcRecord> records;
    ScanMarcFile(
        Path("out.iso"),
        [&](int64_t, std::string_view text, bool&) {
          records.push_back(TMarcRecord::Create(text));
        },
        host_);
    return records;
  }

  TempDir dir_;
  RecordingHost host_;
};

TEST_F(BatchModifyTest, RenumbersAcrossRecordsAndCountsThem) {
  WriteFile(Path("in.iso"),
            IsoRecord({{"001", "1"}, {"905", "  $f3"}}) + "\r\n" +
                IsoRecord({{"001", "2"}, {"905", "  $bOLD$f2"}}));
  BatchModifyOptions options = Options({});
  options.renumber = true;
  options.start_number = "L0001";
  auto outcome = RunBatchModify(options, host_);
  ASSERT_TRUE(std::holds_alternative<BatchModifyResult>(outcome));
  const BatchModifyResult& result = std::get<BatchModifyResult>(outcome);
  EXPECT_EQ(result.counter, "L0004-05");
  EXPECT_EQ(CompletionLine(result.completion), "MARC文件批量修改完成!共2条");
  std::vector<TMarcRecord> out = Output();
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(FieldsOf(out[0], "905"), Fields{"  $bL0001-03$f3"});
  EXPECT_EQ(FieldsOf(out[1], "905"), Fields{"  $bL0004-05$f2"});
  EXPECT_EQ(out[1].GetValue("001"), "2");
}

TEST_F(BatchModifyTest, RecordThatCannotBeRebuiltIsLoggedAndLeftOut) {
  std::string bad = IsoRecord({{"001", "2"}});
  bad[14] = 'x';
  WriteFile(Path("in.iso"), IsoRecord({{"001", "1"}, {"300", "  $ashort"}}) +
                                IsoRecord({{"001", "big"}}) + bad +
                                IsoRecord({{"001", "3"}}));
  // A long note makes field 300 too long only where it already was.
  auto outcome = RunBatchModify(
      Options({Rule("300a", "修改", "", std::string(9998, 'n'))}), host_);
  ASSERT_TRUE(std::holds_alternative<BatchModifyResult>(outcome));
  const BatchModifyResult& result = std::get<BatchModifyResult>(outcome);
  EXPECT_EQ(result.failed, 2);
  EXPECT_EQ(host_.failed_records, (std::vector<int64_t>{1, 3}));
  std::vector<TMarcRecord> out = Output();
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0].GetValue("001"), "big");
  EXPECT_EQ(out[1].GetValue("001"), "3");
}

TEST_F(BatchModifyTest, InputChecks) {
  WriteFile(Path("in.iso"), IsoRecord({{"001", "1"}}));
  WriteFile(Path("out.iso"), "old");
  BatchModifyOptions missing = Options({});
  missing.marc_file = Path("none.iso");
  BatchModifyOptions blank = Options({});
  blank.output_file = " ";
  BatchModifyOptions no_start = Options({});
  no_start.renumber = true;
  const std::vector<std::pair<BatchModifyOptions, std::string>> cases = {
      {missing, "请指定原始MARC文件。"},
      {blank, "请指定要输出的文件名及路径！"},
      {no_start, "请输入起始登录号！"},
  };
  for (const auto& [options, message] : cases) {
    auto outcome = RunBatchModify(options, host_);
    ASSERT_TRUE(std::holds_alternative<InputProblem>(outcome)) << message;
    EXPECT_EQ(std::get<InputProblem>(outcome).message, message);
  }
  EXPECT_EQ(ReadFile(Path("out.iso")), "old");
}

}  // namespace
}  // namespace veltrane
