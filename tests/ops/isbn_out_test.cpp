#include "ops/isbn_out.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::BookRecord;
using testing::IsoRecord;
using testing::ReadFile;
using testing::RecordingHost;
using testing::TempDir;
using testing::WriteFile;

class IsbnOutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("VELTRANE_ERROR_LOG", dir_.Path("ErrorLog.txt").c_str(), 1);
  }
  std::variant<InputProblem, IsbnOutResult> Run(bool strip) {
    return RunIsbnOut({dir_.Path("in.iso"), dir_.Path("out.txt"), strip},
                      host_);
  }
  TempDir dir_;
  RecordingHost host_;
};

TEST_F(IsbnOutTest, OneLinePerRecordAsFoundOrWithoutHyphens) {
  WriteFile(dir_.Path("in.iso"),
            BookRecord("1", "7-5006-3772-1") + "\r\n" +
                IsoRecord({{"001", "2"},
                           {"010", "  $a7-111-1$dCNY1"},
                           {"010", "  $a9-999-9"}}) +
                "\r\n" + IsoRecord({{"001", "3"}, {"010", "  $dCNY2"}}) +
                IsoRecord({{"001", "4"}}));
  for (bool strip : {false, true}) {
    SCOPED_TRACE(strip);
    auto outcome = Run(strip);
    ASSERT_TRUE(std::holds_alternative<IsbnOutResult>(outcome));
    const IsbnOutResult& result = std::get<IsbnOutResult>(outcome);
    EXPECT_EQ(result.records, 4);
    EXPECT_EQ(result.failed, 0);
    EXPECT_EQ(CompletionLine(result.completion), "ISBN输出完成。共4条");
    EXPECT_EQ(ReadFile(dir_.Path("out.txt")),
              strip ? "7500637721\r\n71111\r\n\r\n\r\n"
                    : "7-5006-3772-1\r\n7-111-1\r\n\r\n\r\n");
    EXPECT_EQ(host_.total_, 4);
    EXPECT_EQ(host_.position_, 4);
  }
}

TEST_F(IsbnOutTest, InputChecksInOrder) {
  auto problem = [&](const IsbnOutOptions& options) {
    auto outcome = RunIsbnOut(options, host_);
    EXPECT_TRUE(std::holds_alternative<InputProblem>(outcome));
    return std::get<InputProblem>(outcome);
  };
  WriteFile(dir_.Path("in.iso"), BookRecord("1", "7-5006-3772-1"));
  InputProblem missing = problem({dir_.Path("none.iso"), "  ", false});
  EXPECT_EQ(missing.message, "请指定MARC文件。");
  EXPECT_TRUE(missing.clear_input);
  EXPECT_EQ(problem({dir_.Path(""), "out", false}).message, "请指定MARC文件。");
  EXPECT_EQ(problem({dir_.Path("in.iso"), " ", false}).message,
            "请指定ISBN文件");
  EXPECT_FALSE(std::filesystem::exists(dir_.Path("out.txt")));
}

TEST_F(IsbnOutTest, EmptyFileAndUnreadableRecord) {
  WriteFile(dir_.Path("in.iso"), "");
  auto empty = Run(false);
  EXPECT_EQ(std::get<IsbnOutResult>(empty).completion.detail, "共0条");
  EXPECT_EQ(ReadFile(dir_.Path("out.txt")), "");

  std::string bad = BookRecord("2", "7-111-22222-0");
  bad.replace(12, 5, "0004x");
  WriteFile(dir_.Path("in.iso"), BookRecord("1", "7-5006-3772-1") + bad +
                                     BookRecord("3", "7-222-33333-3"));
  auto outcome = Run(false);
  const IsbnOutResult& result = std::get<IsbnOutResult>(outcome);
  EXPECT_EQ(result.records, 3);
  EXPECT_EQ(result.failed, 1);
  EXPECT_EQ(host_.failed_records, std::vector<int64_t>{2});
  EXPECT_EQ(ReadFile(dir_.Path("out.txt")),
            "7-5006-3772-1\r\n7-222-33333-3\r\n");
  EXPECT_NE(ReadFile(dir_.Path("ErrorLog.txt")).find(bad), std::string::npos);
}

TEST_F(IsbnOutTest, UncreatableOutputThrowsAndChangesNothing) {
  WriteFile(dir_.Path("in.iso"), BookRecord("1", "7-5006-3772-1"));
  EXPECT_THROW(
      RunIsbnOut({dir_.Path("in.iso"), dir_.Path("no/out.txt"), false}, host_),
      std::system_error);
}

}  // namespace
}  // namespace veltrane
