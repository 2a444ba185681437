#include "ops/dedup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::BookRecord;
using testing::IsoRecord;
using testing::ReadFile;
using testing::RecordingHost;
using testing::TempDir;
using testing::WriteFile;

std::string FileOf(const std::vector<std::string>& records) {
  std::string bytes;
  for (const std::string& record : records) bytes += record + "\r\n";
  return bytes;
}

std::string Book(const std::string& title, const std::string& isbn,
                 const std::string& price = "CNY20") {
  return IsoRecord(
      {{"010", "  $a" + isbn + "$d" + price}, {"200", "1 $a" + title}});
}

class DedupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("VELTRANE_ERROR_LOG", Path("ErrorLog.txt").c_str(), 1);
  }
  std::string Path(const std::string& name) const { return dir_.Path(name); }

  DedupMarcOptions Marc(MatchRule rule) {
    DedupMarcOptions options;
    options.marc_file = Path("in.iso");
    options.result_file = Path("out.iso");
    options.rule = rule;
    return options;
  }

  DedupResult Run(const DedupMarcOptions& options) {
    auto outcome = RunDedupMarc(options, host_);
    EXPECT_TRUE(std::holds_alternative<DedupResult>(outcome));
    return std::get<DedupResult>(outcome);
  }

  TempDir dir_;
  RecordingHost host_;
};

TEST_F(DedupTest, KeepsTheFirstOfEachRepeatUnderEachRule) {
  const std::string a = Book("A", "7-5006-3772-1");
  const std::string a_ean = Book("A2", "9787500637721", "CNY9");
  const std::string a_other = Book("A3", "7-5006-3772-1", "CNY9");
  const std::string b = Book("B", "7-02-1");
  const std::string b_price = Book("B", "7-02-1", "CNY30");
  const std::string no_isbn = IsoRecord({{"200", "1 $aC"}});
  const std::string no_isbn2 = IsoRecord({{"200", "1 $aD"}});
  WriteFile(Path("in.iso"), FileOf({a, a_ean, a, a_other, b, b_price, no_isbn,
                                    no_isbn2, no_isbn}));
  struct Case {
    MatchRule rule;
    int threshold;
    bool keys;
    std::vector<std::string> kept;
  };
  const std::vector<Case> cases = {
      {MatchRule::IdenticalRecord,
       3,
       false,
       {a, a_ean, a_other, b, b_price, no_isbn, no_isbn2}},
      // Records without an ISBN are repeats only of their own text.
      {MatchRule::SameIsbn, 3, false, {a, a_ean, b, no_isbn, no_isbn2}},
      {MatchRule::SameIsbn, 3, true, {a, b, no_isbn, no_isbn2}},
      {MatchRule::ListedFields,
       3,
       false,
       {a, a_ean, a_other, b, b_price, no_isbn, no_isbn2}},
      {MatchRule::ListedFields,
       2,
       false,
       {a, a_ean, a_other, b, no_isbn, no_isbn2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.rule) * 10 + c.threshold);
    std::filesystem::remove(Path("out.iso"));
    DedupMarcOptions options = Marc(c.rule);
    options.threshold = c.threshold;
    options.isbn_keys = c.keys;
    DedupResult result = Run(options);
    EXPECT_EQ(ReadFile(Path("out.iso")), FileOf(c.kept));
    EXPECT_EQ(result.entries, 9);
    EXPECT_EQ(result.appended, static_cast<int64_t>(c.kept.size()));
    EXPECT_EQ(host_.total_, 9);
    EXPECT_EQ(host_.position_, 9);
  }
}

TEST_F(DedupTest, ResultFileContentCountsAsKept) {
  const std::string a = Book("A", "1"), b = Book("B", "2"), c = Book("C", "3");
  WriteFile(Path("in.iso"), FileOf({a, b, c, b}));
  WriteFile(Path("out.iso"), FileOf({b}));
  EXPECT_EQ(Run(Marc(MatchRule::IdenticalRecord)).appended, 2);
  EXPECT_EQ(ReadFile(Path("out.iso")), FileOf({b, a, c}));
  // A second run adds nothing.
  EXPECT_EQ(Run(Marc(MatchRule::IdenticalRecord)).appended, 0);
  EXPECT_EQ(ReadFile(Path("out.iso")), FileOf({b, a, c}));

  // An empty source creates nothing.
  WriteFile(Path("in.iso"), "");
  std::filesystem::remove(Path("out.iso"));
  Run(Marc(MatchRule::SameIsbn));
  EXPECT_FALSE(std::filesystem::exists(Path("out.iso")));
}

TEST_F(DedupTest, UnreadableRecordIsReportedOnceAndKept) {
  std::string bad = Book("A", "1");
  bad[14] = 'x';
  WriteFile(Path("in.iso"), FileOf({bad, Book("A", "1"), bad}));
  DedupResult result = Run(Marc(MatchRule::SameIsbn));
  EXPECT_EQ(ReadFile(Path("out.iso")), FileOf({bad, Book("A", "1")}));
  EXPECT_EQ(host_.failed_records, (std::vector<int64_t>{1, 3}));
  EXPECT_EQ(result.failed, 2);

  // Stopping at an unreadable record of the result file appends nothing.
  host_.answers = {false};
  result = Run(Marc(MatchRule::ListedFields));
  EXPECT_TRUE(result.cancelled);
  EXPECT_EQ(ReadFile(Path("out.iso")), FileOf({bad, Book("A", "1")}));
}

TEST_F(DedupTest, MarcInputChecks) {
  WriteFile(Path("in.iso"), FileOf({Book("A", "1")}));
  struct Case {
    DedupMarcOptions options;
    std::string message, input;
  };
  DedupMarcOptions missing = Marc(MatchRule::IdenticalRecord);
  missing.marc_file = Path("none.iso");
  missing.result_file = "";
  DedupMarcOptions bad_list = Marc(MatchRule::ListedFields);
  bad_list.fields = ",200a,2x0a,";
  bad_list.result_file = "";
  DedupMarcOptions unchecked_list = Marc(MatchRule::SameIsbn);
  unchecked_list.fields = "2x0a";
  unchecked_list.result_file = " ";
  const std::vector<Case> cases = {
      {missing, "请指定原始MARC文件。", "marc_file"},
      {bad_list, "重复字段书写错误!\n\n请参考例子或说明", "fields"},
      {unchecked_list, "请指定去重后的MARC文件。", "result_file"},
  };
  for (const Case& c : cases) {
    auto outcome = RunDedupMarc(c.options, host_);
    ASSERT_TRUE(std::holds_alternative<InputProblem>(outcome)) << c.message;
    EXPECT_EQ(std::get<InputProblem>(outcome).message, c.message);
    EXPECT_EQ(std::get<InputProblem>(outcome).input, c.input);
  }
}

TEST_F(DedupTest, IsbnLinesAreComparedWholeAndExactly) {
  WriteFile(Path("in.txt"), "A\r\n\r\nB\r\nA \r\na\r\nA\r\n\r\nB");
  auto outcome = RunDedupIsbn({Path("in.txt"), Path("out.txt")}, host_);
  ASSERT_TRUE(std::holds_alternative<DedupResult>(outcome));
  EXPECT_EQ(ReadFile(Path("out.txt")), "A\r\n\r\nB\r\nA \r\na\r\n");
  EXPECT_EQ(std::get<DedupResult>(outcome).entries, 8);
  EXPECT_EQ(CompletionLine(std::get<DedupResult>(outcome).completion),
            "ISBN文件去重完成!");

  // A result whose last line has no break is not joined to the next line.
  WriteFile(Path("out.txt"), "C\r\nB");
  RunDedupIsbn({Path("in.txt"), Path("out.txt")}, host_);
  EXPECT_EQ(ReadFile(Path("out.txt")), "C\r\nB\r\nA\r\n\r\nA \r\na\r\n");

  auto missing = RunDedupIsbn({Path("none.txt"), Path("out.txt")}, host_);
  ASSERT_TRUE(std::holds_alternative<InputProblem>(missing));
  EXPECT_EQ(std::get<InputProblem>(missing).message, "请指定原始ISBN文件。");
  EXPECT_TRUE(std::get<InputProblem>(missing).clear_input);
  auto blank = RunDedupIsbn({Path("in.txt"), ""}, host_);
  EXPECT_EQ(std::get<InputProblem>(blank).message, "请指定去重后的ISBN文件。");
}

}  // namespace
}  // namespace veltrane
