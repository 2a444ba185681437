// veltrane-cli check-marc end to end.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_runner.h"
#include "db/main_data.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::BookRecord;
using testing::CliRun;
using testing::ReadFile;
using testing::RunCli;
using testing::TempDir;
using testing::WriteFile;

class CheckMarcCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(Path("buyer.iso"), b1_ + "\r\n" + b2_ + "\r\n");
    WriteFile(Path("supplier.iso"), s1_ + "\r\n" + s2_ + "\r\n" + b2_);
  }

  CliRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"check-marc", "--supplier", "supplier.iso"});
    return RunCli(dir_.Path(""), args);
  }

  std::string Path(const std::string& name) const { return dir_.Path(name); }

  TempDir dir_;
  const std::string b1_ = BookRecord("b1", "7-5006-3772-1");
  const std::string b2_ = BookRecord("b2", "7-02-1");
  const std::string s1_ = BookRecord("s1", "9787500637721");
  const std::string s2_ = BookRecord("s2", "7-111-1");
};

TEST_F(CheckMarcCliTest, RulesSidesAndDefaults) {
  CliRun identical = Run({"--buyer", "buyer.iso", "--lacks", "lacks.iso",
                          "--common", "common.iso"});
  EXPECT_EQ(identical.status, 0) << identical.err;
  EXPECT_EQ(identical.out, "利用双方MARC数据自动匹配查重完成!\n");
  EXPECT_EQ(ReadFile(Path("lacks.iso")), s1_ + "\r\n" + s2_ + "\r\n");
  EXPECT_EQ(ReadFile(Path("common.iso")), b2_ + "\r\n");

  CliRun isbn =
      Run({"--buyer=buyer.iso", "--rule", "isbn", "--isbn-key", "--common",
           "common.iso", "--common-from", "supplier", "-q"});
  EXPECT_EQ(isbn.status, 0) << isbn.err;
  EXPECT_EQ(isbn.out, "");
  EXPECT_EQ(ReadFile(Path("common.iso")), s1_ + "\r\n" + b2_ + "\r\n");

  // 010 $a and 010 $d agree for s1 only with keys; 200 $a never does.
  CliRun fields = Run({"--buyer", "buyer.iso", "--rule", "fields", "--fields",
                       ",200a,010a,010d,", "--min", "2", "--isbn-key",
                       "--lacks", "lacks.iso"});
  EXPECT_EQ(fields.status, 0) << fields.err;
  EXPECT_EQ(ReadFile(Path("lacks.iso")), s2_ + "\r\n");
}

TEST_F(CheckMarcCliTest, InputProblemsAndUsageErrors) {
  struct Case {
    std::vector<std::string> args;
    std::string err;  // empty: a usage error
  };
  const std::vector<Case> cases = {
      {{"--lacks", "out.iso"}, "请指定采购方数据源。\n"},
      {{"--buyer", "none.iso", "--lacks", "out.iso"}, "请指定采购方数据源。\n"},
      {{"--buyer", "buyer.iso", "--rule", "fields", "--fields", "200a,2x0a"},
       "查重字段书写错误!\n\n请参考例子或说明\n"},
      {{"--buyer", "buyer.iso", "--lacks", " "},
       "最少需要指定一个输出文件。\n"},
      {{"--buyer-db", "--db", "pur.db", "--lacks", "out.iso"},
       "“现场采购”模块中并没有导入采购方MARC数据。\n"},
      {{"--buyer", "buyer.iso", "--buyer-db", "--lacks", "out.iso"}, ""},
      {{"--buyer", "buyer.iso", "--rule", "title", "--lacks", "out.iso"}, ""},
      {{"--buyer", "buyer.iso", "--min", "x", "--lacks", "out.iso"}, ""},
      {{"--buyer", "buyer.iso", "--common-from", "both", "--lacks", "o.iso"},
       ""},
      {{"--buyer", "buyer.iso", "extra", "--lacks", "out.iso"}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[1]);
    CliRun run = Run(c.args);
    EXPECT_EQ(run.status, 2);
    if (!c.err.empty()) {
      EXPECT_EQ(run.err, c.err);
    }
  }
  EXPECT_FALSE(std::filesystem::exists(Path("out.iso")));
  EXPECT_EQ(Run({"--help"}).status, 0);
}

TEST_F(CheckMarcCliTest, BuyerTableAndRecordErrors) {
  {
    std::unique_ptr<TMainData> data = TMainData::Open(Path("pur.db"));
    data->AppendBuyerRow("", "", 1, b1_);
    std::string bad = b2_;
    bad[14] = 'x';
    data->AppendBuyerRow("", "", 1, bad);
  }
  CliRun run = Run({"--buyer-db", "--db", "pur.db", "--rule", "isbn",
                    "--isbn-key", "--common", "common.iso"});
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("记录 2"), std::string::npos) << run.err;
  EXPECT_EQ(ReadFile(Path("common.iso")), b1_ + "\r\n");
  EXPECT_NE(ReadFile(Path("ErrorLog.txt")).find("pur.db"), std::string::npos);

  std::filesystem::remove(Path("common.iso"));
  CliRun stopped = Run({"--buyer-db", "--db", "pur.db", "--rule", "isbn",
                        "--common", "common.iso", "--on-error", "stop"});
  EXPECT_EQ(stopped.status, 3);
  EXPECT_FALSE(std::filesystem::exists(Path("common.iso")));
}

}  // namespace
}  // namespace veltrane
