// veltrane-cli check-isbn and extract end to end.
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

class ListCliTest : public ::testing::Test {
 protected:
  testing::CliRun Run(const std::vector<std::string>& args) {
    return RunCli(dir_.Path(""), args);
  }
  std::string Path(const std::string& name) const { return dir_.Path(name); }
  TempDir dir_;
};

TEST_F(ListCliTest, CheckIsbnWritesBothOutputs) {
  WriteFile(Path("buyer.txt"), "7500637721\r\nA\r\n");
  WriteFile(Path("supplier.txt"), "978-7-5006-3772-1\r\nA\r\nB");
  testing::CliRun plain =
      Run({"check-isbn", "--buyer", "buyer.txt", "--supplier", "supplier.txt",
           "--lacks", "lacks.txt", "--common=common.txt"});
  EXPECT_EQ(plain.status, 0) << plain.err;
  EXPECT_EQ(plain.out, "利用双方ISBN文件自动匹配查重完成!\n");
  EXPECT_EQ(ReadFile(Path("lacks.txt")), "978-7-5006-3772-1\r\nB\r\n");
  EXPECT_EQ(ReadFile(Path("common.txt")), "A\r\n");

  testing::CliRun keys =
      Run({"check-isbn", "-q", "--isbn-key", "--buyer", "buyer.txt",
           "--supplier", "supplier.txt", "--common", "common.txt"});
  EXPECT_EQ(keys.status, 0) << keys.err;
  EXPECT_EQ(keys.out, "");
  EXPECT_EQ(ReadFile(Path("common.txt")), "978-7-5006-3772-1\r\nA\r\n");
}

TEST_F(ListCliTest, ExtractAppendsInEitherOrder) {
  const std::string a1 = BookRecord("1", "A"), b = BookRecord("2", "B"),
                    a2 = BookRecord("3", "A");
  WriteFile(Path("supplier.iso"), a1 + b + a2);
  WriteFile(Path("isbn.txt"), "B\r\nA\r\n");
  testing::CliRun marc_order =
      Run({"extract", "--supplier", "supplier.iso", "--isbn-list", "isbn.txt",
           "--out", "out.iso"});
  EXPECT_EQ(marc_order.status, 0) << marc_order.err;
  EXPECT_EQ(marc_order.out, "供应商MARC数据输出完成。\n");
  testing::CliRun isbn_order =
      Run({"extract", "--supplier", "supplier.iso", "--isbn-list", "isbn.txt",
           "--out", "out.iso", "--order", "isbn"});
  EXPECT_EQ(isbn_order.status, 0) << isbn_order.err;
  EXPECT_EQ(ReadFile(Path("out.iso")), a1 + "\r\n" + b + "\r\n" + a2 + "\r\n" +
                                           b + "\r\n" + a1 + "\r\n" + a2 +
                                           "\r\n");
}

TEST_F(ListCliTest, ExtractWithAnUnreadableRecord) {
  std::string bad = BookRecord("2", "A");
  bad[14] = 'X';
  WriteFile(Path("supplier.iso"), BookRecord("1", "A") + bad);
  WriteFile(Path("isbn.txt"), "A\r\n");
  testing::CliRun run =
      Run({"extract", "--supplier", "supplier.iso", "--isbn-list", "isbn.txt",
           "--out", "out.iso", "--order", "isbn"});
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(ReadFile(Path("out.iso")), BookRecord("1", "A") + "\r\n");
  EXPECT_NE(ReadFile(Path("ErrorLog.txt")).find(bad), std::string::npos);
}

TEST_F(ListCliTest, InputProblemsAndUsageErrors) {
  WriteFile(Path("list.txt"), "A\r\n");
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string err;
  } cases[] = {
      {{"check-isbn", "--supplier", "list.txt", "--lacks", "l.txt"},
       2,
       "请指定采购方ISBN文件。\n"},
      {{"check-isbn", "--buyer", "list.txt", "--supplier", "list.txt"},
       2,
       "最少需要指定一个输出文件。\n"},
      {{"extract", "--supplier", "list.txt", "--isbn-list", "none.txt"},
       2,
       "请指定要采购的ISBN文件！\n"},
      {{"extract", "--supplier", "list.txt", "--isbn-list", "list.txt"},
       2,
       "请指定你要输出的ISBN文件的文件名和路径！\n"},
      {{"extract", "--supplier", "list.txt", "--isbn-list", "list.txt", "--out",
        "o.iso", "--order", "title"},
       2,
       ""},
      {{"check-isbn", "list.txt"}, 2, ""},
      {{"extract", "--bogus"}, 2, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.back());
    testing::CliRun run = Run(c.args);
    EXPECT_EQ(run.status, c.status);
    if (!c.err.empty()) {
      EXPECT_EQ(run.err, c.err);
    }
  }
  EXPECT_FALSE(std::filesystem::exists(Path("l.txt")));
  EXPECT_FALSE(std::filesystem::exists(Path("o.iso")));
  for (const char* command : {"check-isbn", "extract"}) {
    testing::CliRun help = Run({command, "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("用法"), std::string::npos);
  }
}

}  // namespace
}  // namespace veltrane
