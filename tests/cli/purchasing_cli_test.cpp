// veltrane-cli buyer / purchases / scan end to end, on fixtures and
// databases made here.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "cli/cli_runner.h"
#include "db/main_data.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::CliRun;
using testing::IsoRecord;
using testing::ReadFile;
using testing::RunCli;
using testing::TempDir;
using testing::WriteFile;

constexpr char kTitle[] = "\xB2\xE2\xCA\xD4";  // "测试" in GBK

class PurchasingCliTest : public ::testing::Test {
 protected:
  CliRun Run(std::vector<std::string> args, const std::string& input = "") {
    args.insert(args.end(), {"--db", "pur.db"});
    return RunCli(dir_.Path(""), args, input);
  }

  // Opens the test's database as the program would.
  std::unique_ptr<TMainData> Data() {
    return TMainData::Open(dir_.Path("pur.db"));
  }

  void WriteCatalogue() {
    WriteFile(dir_.Path("in.iso"),
              IsoRecord({{"001", "1"},
                         {"010", "  $a7-5006-3772-1"},
                         {"200", std::string("1 $a") + kTitle},
                         {"905", "  $f3"}}) +
                  "\r\n" + IsoRecord({{"001", "2"}, {"200", "1 $aTitle B"}}) +
                  "\r\n");
  }

  TempDir dir_;
};

TEST_F(PurchasingCliTest, BuyerImportListAndExport) {
  WriteCatalogue();
  CliRun import = Run({"buyer", "import", "in.iso", "--copies-field", "905f"});
  EXPECT_EQ(import.status, 0) << import.err;
  EXPECT_EQ(import.out, "导入完成。共2条\n");
  const std::string listing =
      "序号\t书名\tISBN\t复本\n"
      "1\t测试\t7-5006-3772-1\t3\n"
      "2\tTitle B\t\t1\n";
  EXPECT_EQ(Run({"buyer", "list"}).out, listing);

  CliRun unanswered = Run({"buyer", "import", "in.iso", "--copies", "2"});
  EXPECT_EQ(unanswered.status, 2);
  EXPECT_EQ(unanswered.out, "");
  EXPECT_EQ(
      unanswered.err,
      "已存在采购方MARC数据  2条\n\n本次将导入2条数据\n\n\n是否继续导入？\n");
  EXPECT_EQ(Run({"buyer", "list"}).out, listing);

  CliRun yes = Run({"buyer", "import", "in.iso", "--copies", "2", "--yes"});
  EXPECT_EQ(yes.status, 0) << yes.err;
  EXPECT_EQ(Run({"buyer", "list"}).out,
            listing + "3\t测试\t7-5006-3772-1\t2\n4\tTitle B\t\t2\n");

  CliRun exported = Run({"buyer", "export", "out.txt", "--marc", "none.iso"});
  EXPECT_EQ(exported.status, 0) << exported.err;
  EXPECT_EQ(exported.out, "将本系统数据库中的ISBN导出完成!\n");
  EXPECT_EQ(ReadFile(dir_.Path("out.txt")),
            "7-5006-3772-1\r\n\r\n7-5006-3772-1\r\n\r\n");
}

TEST_F(PurchasingCliTest, BuyerExportFromMarcFileInputProblemsAndUsage) {
  WriteCatalogue();
  CliRun from_marc = Run({"buyer", "export", "out.txt", "--marc", "in.iso"});
  EXPECT_EQ(from_marc.status, 0) << from_marc.err;
  EXPECT_EQ(from_marc.out, "ISBN导出完成。共2条\n");
  EXPECT_EQ(ReadFile(dir_.Path("out.txt")), "7-5006-3772-1\r\n\r\n");

  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  const std::vector<Case> cases = {
      {{"buyer", "import", "none.iso"}, "指定的文件不存在！\n"},
      {{"buyer", "import"}, "指定的文件不存在！\n"},
      {{"buyer", "export", "x.txt"}, "请指定MARC数据文件\n"},
      {{"buyer", "export"}, "请指定你要输出的ISBN文件的文件名和路径！\n"},
      {{"purchases", "export", " "},
       "请指定你要输出的ISBN文件的文件名和路径！\n"},
  };
  for (const Case& c : cases) {
    CliRun run = Run(c.args);
    EXPECT_EQ(run.status, 2) << c.args[1];
    EXPECT_EQ(run.err, c.err);
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.Path("x.txt")));
  for (std::vector<std::string> args :
       {std::vector<std::string>{"buyer", "import", "in.iso", "--copies", "2",
                                 "--copies-field", "905f"},
        {"buyer", "frobnicate"},
        {"buyer", "list", "--yes"},
        {"purchases", "set"},
        {"purchases", "shift", "abc"},
        {"scan", "--convert", "5"},
        {"scan", "--target", "0"},
        {"scan", "--mode", "fast"}}) {
    EXPECT_EQ(Run(args).status, 2) << args[1];
  }
  EXPECT_EQ(Run({"buyer", "list"}).out, "序号\t书名\tISBN\t复本\n");
  for (std::vector<std::string> args :
       {std::vector<std::string>{"buyer", "--help"},
        {"purchases", "--help"},
        {"purchases", "set", "--help"},
        {"scan", "--help"}}) {
    CliRun help = Run(args);
    EXPECT_EQ(help.status, 0) << args[0];
    EXPECT_NE(help.out.find("用法"), std::string::npos) << args[0];
  }
}

TEST_F(PurchasingCliTest, PurchaseMaintenanceAndExports) {
  {
    std::unique_ptr<TMainData> data = Data();
    data->AddPurchase("7-5006-3772-1", 5);
    data->AddPurchase("7500-6375", 0);
    data->AppendBuyerRow("T", "X", 3, "");
  }
  EXPECT_EQ(Run({"purchases", "set", "2"}).status, 0);
  EXPECT_EQ(Run({"purchases", "shift", "-3"}).status, 0);
  EXPECT_EQ(Run({"purchases", "delete-zero"}).status, 0);
  CliRun list = Run({"purchases", "list"});
  ASSERT_EQ(list.status, 0);
  // 序号, ISBN, 采购数量, 时间 ("yyyy-mm-dd hh:mm:ss")
  EXPECT_TRUE(list.out.starts_with(
      "序号\tISBN\t采购数量\t时间\n1\t7-5006-3772-1\t-1\t20"))
      << list.out;
  EXPECT_NE(list.out.find("\n2\t7500-6375\t-1\t20"), std::string::npos);

  EXPECT_EQ(Run({"purchases", "export", "a.txt"}).out, "导出完成!\n");
  EXPECT_EQ(ReadFile(dir_.Path("a.txt")), "7-5006-3772-1\r\n7500-6375\r\n");
  EXPECT_EQ(Run({"purchases", "export", "b.txt", "--with-copies"}).status, 0);
  EXPECT_EQ(ReadFile(dir_.Path("b.txt")),
            "7-5006-3772-1 -1\r\n7500-6375 -1\r\n");
  EXPECT_EQ(Run({"purchases", "export-text", "c.txt", "-q"}).out, "");
  EXPECT_EQ(ReadFile(dir_.Path("c.txt")),
            "7-5006-3772-1  -1\r\n7500-6375  -1\r\n");

  EXPECT_EQ(Run({"purchases", "set", "0"}).status, 0);
  EXPECT_EQ(Run({"purchases", "delete-zero"}).status, 0);
  EXPECT_EQ(Run({"purchases", "list"}).out, "序号\tISBN\t采购数量\t时间\n");
  // Nothing to export: the maintenance page's export does nothing at all.
  CliRun empty_text = Run({"purchases", "export-text", "d.txt"});
  EXPECT_EQ(empty_text.status, 0);
  EXPECT_EQ(empty_text.out, "");
  EXPECT_FALSE(std::filesystem::exists(dir_.Path("d.txt")));

  EXPECT_EQ(Run({"buyer", "set-copies", "7"}).status, 0);
  EXPECT_EQ(Run({"buyer", "shift-copies", "-2"}).status, 0);
  EXPECT_EQ(Data()->HeldCopies("X"), 5);
}

TEST_F(PurchasingCliTest, ClearingAsksFirst) {
  {
    std::unique_ptr<TMainData> data = Data();
    data->AddPurchase("A", 1);
    data->AddPurchase("B", 1);
    data->AppendBuyerRow("T", "X", 3, "");
  }
  struct Case {
    std::string command;
    std::string question;
    std::string done;
  };
  const std::vector<Case> cases = {
      {"purchases",
       "本次现采数据共有2条，清空后无法恢复。\n\n确定要清空所有现采数据吗？\n",
       "完成清空本次现采数据库!\n"},
      {"buyer",
       "采购方数据共有1条，清空后无法恢复。\n\n确定要清空所有采购方数据吗？\n",
       "完成清空采购方数据库!\n"},
  };
  for (const Case& c : cases) {
    CliRun asked = Run({c.command, "clear"});
    EXPECT_EQ(asked.status, 2);
    EXPECT_EQ(asked.err, c.question);
    EXPECT_EQ(Data()->HeldCopies("X"), 3);
    EXPECT_EQ(Data()->PurchasedCopies("B"), c.command == "buyer" ? 0 : 1);

    CliRun cleared = Run({c.command, "clear", "--yes"});
    EXPECT_EQ(cleared.status, 0) << cleared.err;
    EXPECT_EQ(cleared.out, c.done);
    CliRun again = Run({c.command, "clear"});  // empty: nothing to ask or do
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out + again.err, "");
  }
}

TEST_F(PurchasingCliTest, ScanModesAnswerOneLinePerScan) {
  {
    std::unique_ptr<TMainData> data = Data();
    data->AppendBuyerRow(kTitle, "7-5006-3772-1", 1, "");
  }
  struct Case {
    std::vector<std::string> args;
    std::string input;
    std::string out;
    std::string err;
  };
  const std::vector<Case> cases = {
      {{"scan"},
       "9787500637721\r\n\n  \n7500637722\n9787111222224\n",
       "测试, 已有\n非法ISBN/ISSN\n7-111-22222-9  没找到！\n",
       ""},
      {{"scan", "--mode", "remind", "--beep-new", "--convert", "1"},
       "9787500637721\n9787111222224\n",
       "7500637721  没找到！\n7111222229  没找到！\n",
       "\a\a"},
      {{"scan", "--mode", "confirm", "--target", "3", "--beep-held"},
       "9787500637721\n\n9787500637721\n0\n\n9787500637721\nx\n"
       "-9787500637721\n9787111222224\n-1\n-\n9787111222224\n 2本 \n",
       "已有[ 1 ]本，已采购[ 0 ]本，现采购：2\n"
       "7-5006-3772-1  确认采购[ 2 ]本。\n"
       "已有[ 1 ]本，已采购[ 2 ]本，现采购：0\n"
       "7-5006-3772-1  确认不采购\n"
       "已有[ 1 ]本，已采购[ 2 ]本，现采购：0\n"
       "7-5006-3772-1  采购数量无效，没有采购\n"
       "剔除 ISBN[ 7-5006-3772-1 ] 的采购数据成功\n"
       "已有[ 0 ]本，已采购[ 0 ]本，现采购：3\n"
       "7-111-22222-9  确认采购[ 1 ]本。\n"
       "已有[ 0 ]本，已采购[ 1 ]本，现采购：2\n"
       "7-111-22222-9  确认采购[ 2 ]本。\n",
       "\a\a\a"},
      {{"scan", "--mode", "continuous", "--target", "2", "--beep-new"},
       "9787500637721\n9787500637721\n-7-5006-3772-1\n7500637722\n"
       "9787500637721\n",
       "7-5006-3772-1\t现有[1]本，已采购[0]本，继续采购[1]本\n"
       "7-5006-3772-1\t现有[1]本，已采购[1]本，不做采购\n"
       "7-5006-3772-1\t剔除ISBN[7-5006-3772-1]的采购数据成功\n"
       "非法ISBN/ISSN\n"
       "7-5006-3772-1\t现有[1]本，已采购[0]本，继续采购[1]本\n",
       ""},
      {{"scan", "--mode", "continuous", "--convert", "4"},
       "-9787500637721\n9787500637721\n",
       "9787500637721\t剔除ISBN[9787500637721]的采购数据成功\n"
       "9787500637721\t现有[0]本，已采购[0]本，继续采购[1]本\n",
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    CliRun run = Run(c.args, c.input);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
  }
  std::unique_ptr<TMainData> data = Data();
  EXPECT_EQ(data->PurchasedCopies("7-5006-3772-1"), 1);
  EXPECT_EQ(data->PurchasedCopies("7-111-22222-9"), 3);
  EXPECT_EQ(data->PurchasedCopies("9787500637721"), 1);
}

TEST_F(PurchasingCliTest, DatabaseThatCannotBeOpened) {
  WriteFile(dir_.Path("pur.db"), "not a database at all");
  CliRun run = Run({"scan"}, "9787500637721\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("不是Veltrane数据库文件："), std::string::npos);
  EXPECT_EQ(ReadFile(dir_.Path("pur.db")), "not a database at all");
  EXPECT_EQ(Run({"buyer", "list"}).status, 1);
}

// A child process with its stdin and stdout on pipes held here.
class PipedProcess {
 public:
  explicit PipedProcess(const std::vector<std::string>& args) {
    int in[2], out[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0) {
      throw std::runtime_error("pipe");
    }
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(in[0], STDIN_FILENO);
      ::dup2(out[1], STDOUT_FILENO);
      std::vector<char*> argv;
      for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
      }
      argv.push_back(nullptr);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    to_child_ = in[1];
    from_child_ = out[0];
  }
  ~PipedProcess() {
    Kill();
    ::close(to_child_);
    ::close(from_child_);
  }

  void WriteLine(const std::string& line) {
    std::string bytes = line + "\n";
    ASSERT_EQ(::write(to_child_, bytes.data(), bytes.size()),
              static_cast<ssize_t>(bytes.size()));
  }

  // The next line the child writes, without its "\n"; what came so far when
  // the child ends or stays silent for a minute.
  std::string ReadLine() {
    std::string line;
    char c = 0;
    pollfd ready{from_child_, POLLIN, 0};
    while (::poll(&ready, 1, 60000) == 1 && ::read(from_child_, &c, 1) == 1 &&
           c != '\n') {
      line += c;
    }
    return line;
  }

  void Kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  int to_child_ = -1;
  int from_child_ = -1;
};

TEST_F(PurchasingCliTest, PurchaseSurvivesKillRightAfterItsAnswer) {
  Data();  // the database exists before the scan starts
  PipedProcess scan({VELTRANE_CLI_PATH, "scan", "--mode", "continuous", "--db",
                     dir_.Path("pur.db")});
  scan.WriteLine("9787500637721");
  EXPECT_EQ(scan.ReadLine(),
            "7-5006-3772-1\t现有[0]本，已采购[0]本，继续采购[1]本");
  scan.Kill();
  EXPECT_EQ(Data()->PurchasedCopies("7-5006-3772-1"), 1);
}

}  // namespace
}  // namespace veltrane
