// veltrane-cli split, merge, dedup-marc, dedup-isbn and modify end to end.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_runner.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::BookRecord;
using testing::ReadFile;
using testing::RunCli;
using testing::TempDir;
using testing::WriteFile;

class UtilityCliTest : public ::testing::Test {
 protected:
  testing::CliRun Run(const std::vector<std::string>& args) {
    return RunCli(dir_.Path(""), args);
  }
  std::string Path(const std::string& name) const { return dir_.Path(name); }
  bool Exists(const std::string& name) const {
    return std::filesystem::exists(Path(name));
  }
  TempDir dir_;
};

TEST_F(UtilityCliTest, SplitThenMergeGivesTheRecordsBack) {
  const std::string a = BookRecord("1", "A"), b = BookRecord("2", "B"),
                    c = BookRecord("3", "C");
  WriteFile(Path("in.iso"), a + b + c);
  testing::CliRun split = Run({"split", "in.iso", "out.iso", "--files", "2"});
  EXPECT_EQ(split.status, 0) << split.err;
  EXPECT_EQ(split.out, "分割MARC文件完成!\n");
  EXPECT_EQ(ReadFile(Path("out0.iso")), a + "\r\n" + b + "\r\n");
  EXPECT_EQ(ReadFile(Path("out1.iso")), c + "\r\n");

  testing::CliRun merge =
      Run({"merge", "all.iso", "out1.iso", "out0.iso", "out1.iso"});
  EXPECT_EQ(merge.status, 0) << merge.err;
  EXPECT_EQ(merge.out, "合并完成！\n");
  EXPECT_EQ(ReadFile(Path("all.iso")),
            c + "\r\n" + a + "\r\n" + b + "\r\n" + c + "\r\n");
}

TEST_F(UtilityCliTest, SplitAndMergeRefuseBadInput) {
  WriteFile(Path("in.iso"), BookRecord("1", "A") + BookRecord("2", "B"));
  testing::CliRun not_a_number =
      Run({"split", "in.iso", "out.iso", "--per", "x"});
  EXPECT_EQ(not_a_number.status, 2);
  EXPECT_EQ(not_a_number.err, "请指定正确的分割数！\n");
  EXPECT_FALSE(Exists("out0.iso"));

  WriteFile(Path("all.iso"), "old");
  testing::CliRun missing = Run({"merge", "all.iso", "in.iso", "none.iso"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("none.iso"), std::string::npos) << missing.err;
  EXPECT_EQ(ReadFile(Path("all.iso")), "old");
  EXPECT_EQ(Run({"merge", "all.iso"}).err, "请选择要合并的MARC文件\n");
}

TEST_F(UtilityCliTest, DedupKeepsFirstOccurrences) {
  const std::string a = BookRecord("1", "7-5006-3772-1"),
                    a13 = BookRecord("2", "9787500637721"),
                    b = BookRecord("3", "7-02-1");
  WriteFile(Path("in.iso"), a + b + a13 + a);
  testing::CliRun marc =
      Run({"dedup-marc", "in.iso", "out.iso", "--rule", "isbn", "--isbn-key"});
  EXPECT_EQ(marc.status, 0) << marc.err;
  EXPECT_EQ(marc.out, "MARC文件去重完成!\n");
  EXPECT_EQ(ReadFile(Path("out.iso")), a + "\r\n" + b + "\r\n");
  testing::CliRun bad_list = Run({"dedup-marc", "in.iso", "out2.iso", "--rule",
                                  "fields", "--fields", "20"});
  EXPECT_EQ(bad_list.status, 2);
  EXPECT_EQ(bad_list.err, "重复字段书写错误!\n\n请参考例子或说明\n");

  WriteFile(Path("in.txt"), "A\nB\nA\n");
  testing::CliRun isbn = Run({"dedup-isbn", "in.txt", "out.txt"});
  EXPECT_EQ(isbn.status, 0) << isbn.err;
  EXPECT_EQ(ReadFile(Path("out.txt")), "A\r\nB\r\n");
}

}  // namespace
}  // namespace veltrane
