#include "ops/label_list.h"

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "util/encoding.h"

namespace veltrane {
namespace {

using testing::IsoRecord;
using testing::RawField;
using testing::RecordingHost;
using testing::TempDir;
using testing::WriteFile;

// A book with a 905 of the given subfields ("$b...$f..."), UTF-8 texts.
std::string Book(const std::string& title, const std::string& holdings,
                 const std::string& edition = "") {
  std::vector<RawField> fields = {{"001", "1"},
                                  {"200", "1 $a" + Utf8ToGbk(title)}};
  if (!edition.empty()) fields.push_back({"205", "  $a" + Utf8ToGbk(edition)});
  if (!holdings.empty()) fields.push_back({"905", "  " + Utf8ToGbk(holdings)});
  return IsoRecord(fields);
}

class LabelListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("VELTRANE_ERROR_LOG", dir_.Path("ErrorLog.txt").c_str(), 1);
  }
  std::variant<InputProblem, LabelListResult> Load(LabelListOptions options) {
    options.marc_file = dir_.Path("in.iso");
    return LoadLabelList(options, host_);
  }
  LabelListResult Loaded(const std::string& file, LabelListOptions options) {
    WriteFile(dir_.Path("in.iso"), file);
    auto outcome = Load(options);
    EXPECT_TRUE(std::holds_alternative<LabelListResult>(outcome));
    return std::get<LabelListResult>(std::move(outcome));
  }
  static std::vector<std::string> Column(const LabelListResult& result,
                                         LabelField field) {
    std::vector<std::string> values;
    for (const LabelRow& row : result.rows) {
      values.push_back(GbkToUtf8(row[field]));
    }
    return values;
  }
  TempDir dir_;
  RecordingHost host_;
};

TEST_F(LabelListTest, CopiesAndAccessionNumbers) {
  using V = std::vector<std::string>;
  struct Case {
    const char* name;
    LabelListOptions options;
    std::string file;
    V accessions;
  } cases[] = {
      {"split per copy",
       {.per_copy = true, .split_range = true},
       Book("A", "$bL0001-3$dI247$f3"),
       {"L0001", "L0002", "L0003"}},
      {"per copy, range kept",
       {.per_copy = true},
       Book("A", "$bL0001-3$dI247$f3"),
       {"L0001-3", "L0001-3", "L0001-3"}},
      {"copies ignored without per copy",
       {.split_range = true},
       Book("A", "$bL0001-3$f3"),
       {"L0001-3"}},
      {"empty, zero and non-numeric counts give one row",
       {.per_copy = true, .split_range = true},
       Book("A", "$bL7$f") + Book("B", "$bL8$f0") + Book("C", "$bL9$f3本"),
       {"L7", "L8", "L9"}},
      {"regenerated ranges run on",
       {.regenerate = true, .start_number = "L0001"},
       Book("A", "$bX1$f3") + Book("B", "$f2"),
       {"L0001-03", "L0004-05"}},
      {"a record without a row uses its numbers up",
       {.per_copy = true, .regenerate = true, .start_number = "L0001"},
       Book("A", "$f2") + IsoRecord({{"001", "2"}, {"905", "  $f3"}}) +
           Book("C", "$f1"),
       {"L0001-02", "L0001-02", "L0006"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LabelListResult result = Loaded(c.file, c.options);
    EXPECT_EQ(Column(result, kLabel905b), c.accessions);
  }
}

TEST_F(LabelListTest, StartNumberHoldsTheLastRangeGiven) {
  LabelListResult result =
      Loaded(Book("A", "$f3") + Book("B", "$f2"),
             {.regenerate = true, .start_number = "L0001"});
  EXPECT_EQ(result.start_number, "L0004-05");
}

TEST_F(LabelListTest, FieldsOfARow) {
  std::vector<RawField> fields = {
      {"010", "  $a7-5006-3772-1$dCNY25"},
      {"200", "1 $a" + Utf8ToGbk("红楼梦") + "$f" + Utf8ToGbk("曹雪芹")},
      {"205", "  $a" + Utf8ToGbk("第2版")},
      {"905", "  $aLIB$bA01$cTS$dI242.4$eC123$f1$v2$y2020"},
      {"905", "  $dSECOND"}};
  LabelListResult result = Loaded(IsoRecord(fields), {});
  ASSERT_EQ(result.rows.size(), 1u);
  std::vector<std::string> row;
  for (const std::string& value : result.rows[0])
    row.push_back(GbkToUtf8(value));
  EXPECT_EQ(row, (std::vector<std::string>{
                     "7-5006-3772-1", "红楼梦", "曹雪芹", "2=第2", "第2版",
                     "A01", "TS", "I242.4", "2", "C123", "1", "2020"}));
}

TEST_F(LabelListTest, ValuesAreCutWithoutSplittingACharacter) {
  // 26 double-byte characters: 52 bytes against the title's 50.
  std::string long_title;
  for (int i = 0; i < 26; ++i) long_title += "书";
  LabelListResult result =
      Loaded(Book(long_title, "$d" + std::string(30, '7')) +
                 Book("a" + long_title, "$d1"),
             {});
  ASSERT_EQ(result.rows.size(), 2u);
  EXPECT_EQ(result.rows[0][kLabelBookname].size(), 50u);
  EXPECT_EQ(result.rows[0][kLabel905d], std::string(25, '7'));
  EXPECT_EQ(result.rows[1][kLabelBookname].size(), 49u);
  EXPECT_EQ(GbkToUtf8(result.rows[1][kLabelBookname]),
            "a" + long_title.substr(0, 24 * 3));
}

TEST_F(LabelListTest, EditionCharacterRemovedWholeCharactersOnly) {
  // "璋" (E8 B0) followed by E6 A1 holds the bytes B0 E6 of "版" across a
  // character boundary; only the real "版" goes.
  std::string straddle = Utf8ToGbk("璋");
  ASSERT_EQ(straddle, "\xE8\xB0");
  std::string after = "\xE6\xA1";
  std::vector<RawField> fields = {
      {"200", "1 $aT"},
      {"205", "  $a" + straddle + after + Utf8ToGbk("版")},
      {"905", "  $v1"}};
  LabelListResult result = Loaded(IsoRecord(fields), {});
  ASSERT_EQ(result.rows.size(), 1u);
  EXPECT_EQ(result.rows[0][kLabel905v205a], "1=" + straddle + after);
}

TEST_F(LabelListTest, StatusCountsRecordsAndRows) {
  LabelListResult result =
      Loaded(Book("A", "$f2") + IsoRecord({{"001", "2"}}) + Book("C", ""),
             {.per_copy = true});
  EXPECT_EQ(result.records, 3);
  EXPECT_EQ(result.skipped, 1);
  EXPECT_EQ(result.status, "源文件共 3 条记录，共导入 3 条");
  EXPECT_EQ(CompletionLine(result.completion), "书标数据导入完成。共3条");
  EXPECT_EQ(host_.total_, 3);
  EXPECT_EQ(host_.position_, 3);
}

TEST_F(LabelListTest, InputChecksInOrder) {
  auto problem = [&](const LabelListOptions& options) {
    auto outcome = Load(options);
    EXPECT_TRUE(std::holds_alternative<InputProblem>(outcome));
    return std::get<InputProblem>(outcome);
  };
  WriteFile(dir_.Path("in.iso"), "");
  EXPECT_EQ(problem({.regenerate = true}).message, "原始MARC文件为空！");
  EXPECT_EQ(LoadLabelList({.marc_file = dir_.Path("none.iso")}, host_).index(),
            0u);
  WriteFile(dir_.Path("in.iso"), Book("A", "$f1"));
  InputProblem start = problem({.regenerate = true, .start_number = " "});
  EXPECT_EQ(start.message, "请输入起始登录号！");
  EXPECT_EQ(start.input, "start_number");
}

TEST_F(LabelListTest, UnreadableRecordOrAbsurdCopyCountFailsThatRecord) {
  std::string bad = Book("B", "$f1");
  bad.replace(12, 5, "0004x");
  LabelListResult result = Loaded(
      Book("A", "$f1") + bad + Book("C", "$f99999999999") + Book("D", "$f2"),
      {.per_copy = true});
  EXPECT_EQ(result.failed, 2);
  EXPECT_EQ(host_.failed_records, (std::vector<int64_t>{2, 3}));
  EXPECT_EQ(Column(result, kLabelBookname),
            (std::vector<std::string>{"A", "D", "D"}));
}

TEST(LabelOrderTest, DirectionAlternatesWhateverColumnIsClicked) {
  LabelOrder order;
  std::vector<std::string> titles;
  for (LabelField clicked :
       {kLabel905d, kLabel905d, kLabel905e, kLabel905e, kLabel905d}) {
    order = NextLabelOrder(order, clicked);
    titles.push_back(LabelColumnTitle(clicked, order));
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"▲905d", "▼905d", "▲905e",
                                              "▼905e", "▲905d"}));
  EXPECT_EQ(LabelColumnTitle(kLabelBookname, order), "图书名称");
}

TEST(LabelOrderTest, StableSortByGbkBytes) {
  auto row = [](const std::string& d, const std::string& e) {
    LabelRow r;
    r[kLabel905d] = Utf8ToGbk(d);
    r[kLabel905e] = e;
    return r;
  };
  // "啊" (B0 A1) sorts before "中" (D6 D0) by GBK bytes, after any ASCII.
  std::vector<LabelRow> rows = {row("中", "1"), row("b", "2"), row("啊", "3"),
                                row("b", "4"), row("B", "5")};
  auto e_column = [&] {
    std::string out;
    for (const LabelRow& r : rows) out += r[kLabel905e];
    return out;
  };
  SortLabels(rows, {kLabel905d, false});
  EXPECT_EQ(e_column(), "52431");
  SortLabels(rows, {kLabel905d, true});
  EXPECT_EQ(e_column(), "13245");
}

}  // namespace
}  // namespace veltrane
