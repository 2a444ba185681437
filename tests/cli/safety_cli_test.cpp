// veltrane-cli never destroys a user's file and never reports a lost result
// as success: outputs that are inputs, special database names, failed writes
// to stdout, unreadable inputs, hostile bytes in one-line answers.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "cli/cli_runner.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::BookRecord;
using testing::CliRun;
using testing::IsoRecord;
using testing::ReadFile;
using testing::RunCli;
using testing::TempDir;
using testing::WriteFile;

class SafetyCliTest : public ::testing::Test {
 protected:
  SafetyCliTest() {
    WriteFile(dir_.Path("a.iso"), BookRecord("1", "7-5006-3772-1") + "\r\n");
    WriteFile(dir_.Path("b.iso"), BookRecord("2", "7-5006-3772-1") + "\r\n");
    WriteFile(dir_.Path("a.txt"), "7-5006-3772-1\r\n");
    WriteFile(dir_.Path("prev.txt"), "kept\r\n");
  }

  CliRun Run(const std::vector<std::string>& args,
             const std::string& input = "") {
    return RunCli(dir_.Path(""), args, input);
  }

  // Runs `script` with bash in the test's folder, $CLI naming veltrane-cli;
  // the exit status, stderr in `err`.
  int Bash(const std::string& script, std::string* err = nullptr) {
    WriteFile(dir_.Path(".script"), "CLI='" VELTRANE_CLI_PATH "'\n" + script);
    const std::string command = "cd '" + dir_.Path("") +
                                "' && timeout 20 bash .script 2>.stderr";
    int raw = std::system(command.c_str());
    if (err != nullptr) *err = ReadFile(dir_.Path(".stderr"));
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }

  TempDir dir_;
};

TEST_F(SafetyCliTest, OutputNamingAnInputOrTheDatabaseIsRefused) {
  ASSERT_EQ(Run({"buyer", "import", "a.iso", "--db", "v.db"}).status, 0);
  std::filesystem::create_symlink("a.iso", dir_.Path("link.iso"));
  WriteFile(dir_.Path("two0.iso"), ReadFile(dir_.Path("a.iso")) +
                                       ReadFile(dir_.Path("b.iso")));
  struct Case {
    std::vector<std::string> args;
    std::string kept;  // the file that must stay as it was
  };
  const Case cases[] = {
      {{"isbn-out", "a.iso", "a.iso"}, "a.iso"},
      {{"isbn-out", "a.iso", "./link.iso"}, "a.iso"},
      {{"check-marc", "--supplier", "a.iso", "--buyer", "b.iso", "--lacks",
        "b.iso"},
       "b.iso"},
      {{"check-marc", "--supplier", "a.iso", "--buyer-db", "--db", "v.db",
        "--common", "v.db"},
       "v.db"},
      {{"check-isbn", "--buyer", "a.txt", "--supplier", "a.txt", "--lacks",
        "prev.txt", "--common", "prev.txt"},
       "prev.txt"},
      {{"extract", "--supplier", "a.iso", "--isbn-list", "a.txt", "--out",
        "a.iso"},
       "a.iso"},
      {{"buyer", "export", "v.db", "--db", "v.db"}, "v.db"},
      {{"purchases", "export", "v.db", "--db", "v.db"}, "v.db"},
      {{"merge", "b.iso", "a.iso", "b.iso"}, "b.iso"},
      {{"split", "two0.iso", "two.iso", "--per", "1"}, "two0.iso"},
  };
  for (const Case& c : cases) {
    const std::string before = ReadFile(dir_.Path(c.kept));
    CliRun run = Run(c.args);
    EXPECT_EQ(run.status, 2) << c.args[0] << " " << c.args.back();
    EXPECT_NE(run.err.find("不能是"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFile(dir_.Path(c.kept)), before) << c.kept;
  }
  // The database still holds its buyer row.
  EXPECT_NE(Run({"buyer", "list", "--db", "v.db"}).out.find("\n1\t"),
            std::string::npos);
}

TEST_F(SafetyCliTest, DatabaseNamesThatKeepNothingAreRefused) {
  for (const char* name : {"", " ", ":memory:", "file:x.db"}) {
    CliRun run = Run({"buyer", "list", "--db", name});
    EXPECT_EQ(run.status, 2) << name;
    EXPECT_FALSE(run.err.empty());
  }
}

TEST_F(SafetyCliTest, FailedWritesToStdoutAreErrors) {
  for (const char* command :
       {"show a.iso --format iso", "show a.iso", "count a.iso",
        "isbn key 7500637721", "purchases list --db v.db",
        "scan --db v.db <<< 7500637721", "isbn-out a.iso out.txt"}) {
    std::string err;
    EXPECT_EQ(Bash("$CLI " + std::string(command) + " >/dev/full", &err), 1)
        << command;
    EXPECT_NE(err.find("写入标准输出出错"), std::string::npos) << err;
  }
}

TEST_F(SafetyCliTest, PipesFifosAndFoldersAsInputs) {
  std::string err;
  // A pipe cannot be read twice: refused, and the output stays.
  EXPECT_EQ(Bash("$CLI isbn-out <(cat a.iso) prev.txt", &err), 2);
  EXPECT_NE(err.find("不是普通文件"), std::string::npos) << err;
  EXPECT_EQ(ReadFile(dir_.Path("prev.txt")), "kept\r\n");
  // A FIFO without a writer neither blocks nor counts as empty.
  EXPECT_EQ(Bash("mkfifo fifo && $CLI count fifo"), 2);
  EXPECT_EQ(Bash("$CLI show fifo"), 2);
  // A folder as stdin is an error, not an empty input.
  EXPECT_EQ(Bash("$CLI scan --db v.db < .", &err), 1);
  EXPECT_NE(err.find("读取标准输入出错"), std::string::npos) << err;
  EXPECT_EQ(Bash("$CLI isbn key < ."), 1);
}

// SIGTERM while the output is being written: the temporary file goes, the
// file the user had stays.
TEST_F(SafetyCliTest, SignalLeavesNoTemporaryFiles) {
  std::string big;
  for (int i = 0; i < 50000; ++i) big += BookRecord("1", "7-5006-3772-1");
  WriteFile(dir_.Path("big.iso"), big);
  const int status = Bash(
      "$CLI isbn-out big.iso prev.txt & pid=$!\n"
      "for i in $(seq 500); do ls prev.txt.tmp* >/dev/null 2>&1 && break; "
      "sleep 0.01; done\n"
      "kill -TERM $pid; wait $pid");
  EXPECT_TRUE(status == 143 || status == 0) << status;
  for (const auto& entry :
       std::filesystem::directory_iterator(dir_.Path(""))) {
    EXPECT_EQ(entry.path().filename().string().find(".tmp"),
              std::string::npos)
        << entry.path();
  }
  if (status == 143) {
    EXPECT_EQ(ReadFile(dir_.Path("prev.txt")), "kept\r\n");
  }
}

TEST_F(SafetyCliTest, UsageMistakesAreInputProblems) {
  CliRun missing = Run({"show", "missing.iso"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("missing.iso"), std::string::npos);
  for (const char* command : {"buyer", "purchases", "isbn"}) {
    CliRun bare = Run({command});
    EXPECT_EQ(bare.status, 2) << command;
    EXPECT_NE(bare.err.find("用法"), std::string::npos) << command;
  }
  CliRun no_value = Run({"check-isbn", "--buyer", "a.txt", "--supplier",
                         "a.txt", "--lacks", "--common", "x.txt"});
  EXPECT_EQ(no_value.status, 2);
  EXPECT_NE(no_value.err.find("--lacks 缺少参数值"), std::string::npos)
      << no_value.err;
  EXPECT_EQ(Run({"purchases", "shift", "-2", "--db", "v.db"}).status, 0);
}

TEST_F(SafetyCliTest, ControlCharactersInDataAreEscapedInOneLineAnswers) {
  WriteFile(dir_.Path("hostile.iso"),
            IsoRecord({{"010", "  $a7-5006-3772-1"},
                       {"200", std::string("1 $aA\tB\nC\x1b[2J\\", 14)}}) +
                "\r\n");
  ASSERT_EQ(Run({"buyer", "import", "hostile.iso", "--db", "v.db"}).status, 0);
  EXPECT_EQ(Run({"buyer", "list", "--db", "v.db"}).out,
            "序号\t书名\tISBN\t复本\n"
            "1\tA\\tB\\nC\\x1B[2J\\\\\t7-5006-3772-1\t1\n");
  CliRun scan = Run({"scan", "--db", "v.db"}, "7500637721\n");
  EXPECT_EQ(scan.out, "A\\tB\\nC\\x1B[2J\\\\, 已有\n");
  CliRun nul = Run({"isbn", "recognise"}, std::string("75\0x\n", 5));
  EXPECT_EQ(nul.out, "75\\x00x\tinvalid\n");
}

}  // namespace
}  // namespace veltrane
