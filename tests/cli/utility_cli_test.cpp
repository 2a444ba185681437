// veltrane-cli split, merge, dedup-marc, dedup-isbn and modify end to end.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_runner.h"
#include "marc/record.h"
#include "support/test_support.h"
#include "util/encoding.h"

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

TEST_F(UtilityCliTest, ModifyRunsASavedRuleTable) {
  WriteFile(Path("in.iso"),
            testing::IsoRecord({{"001", "1"}, {"606", "  $aT"}}));
  // The table as the page saves it: heading row, two rules, one empty row.
  WriteFile(Path("rules.txt"),
            Utf8ToGbk("4,4\r\ncw 0,48\r\ncw 1,53\r\ncw 2,46\r\ncw 3,197\r\n"
                      "0,0,字段\r\n1,0,操作\r\n2,0,指示符\r\n3,0,内容\r\n"
                      "0,1,801\r\n1,1,增加\r\n2,1,0\r\n3,1,■aCN■b馆\r\n"
                      "0,2,606\r\n1,2,改字段号\r\n3,2,607\r\n"));
  testing::CliRun modify = Run({"modify", "in.iso", "out.iso", "--rules",
                                "rules.txt", "--renumber", "A01"});
  EXPECT_EQ(modify.status, 0) << modify.err;
  EXPECT_EQ(modify.out, "MARC文件批量修改完成!共1条\n");
  std::string out = ReadFile(Path("out.iso"));
  ASSERT_TRUE(out.ends_with("\r\n"));
  TMarcRecord record = TMarcRecord::Create(out.substr(0, out.size() - 2));
  EXPECT_EQ(record.GetValue("801b"), Utf8ToGbk("馆"));
  EXPECT_EQ(record.GetValue("607a"), "T");
  EXPECT_EQ(record.GetValue("905b"), "A01");

  WriteFile(Path("rules.txt"), "not a table\r\n");
  testing::CliRun bad =
      Run({"modify", "in.iso", "out2.iso", "--rules", "rules.txt"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("rules.txt"), std::string::npos) << bad.err;
  EXPECT_FALSE(Exists("out2.iso"));
}

}  // namespace
}  // namespace veltrane
