// veltrane-cli end to end, on fixtures made here.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_runner.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::BookRecord;
using testing::IsoRecord;
using testing::ReadFile;
using testing::RunCli;
using testing::TempDir;
using testing::WriteFile;

class CliTest : public ::testing::Test {
 protected:
  testing::CliRun Run(const std::vector<std::string>& args,
                      const std::string& input = "") {
    return RunCli(dir_.Path(""), args, input);
  }
  TempDir dir_;
};

TEST_F(CliTest, HelpOnEveryLevelAndUsageErrors) {
  for (std::vector<std::string> args : {std::vector<std::string>{"--help"},
                                        {"isbn", "--help"},
                                        {"count", "--help"},
                                        {"show", "--help"},
                                        {"isbn-out", "--help"}}) {
    testing::CliRun run = Run(args);
    EXPECT_EQ(run.status, 0) << args[0];
    EXPECT_NE(run.out.find("用法"), std::string::npos) << args[0];
  }
  EXPECT_EQ(Run({}).status, 2);
  EXPECT_EQ(Run({"frobnicate"}).status, 2);
  EXPECT_EQ(Run({"count", "--bogus", "x"}).status, 2);
  EXPECT_EQ(Run({"isbn", "convert", "--format", "7", "1"}).status, 2);
}

TEST_F(CliTest, IsbnToolkitFromArgumentsAndStdin) {
  struct Case {
    std::vector<std::string> args;
    std::string input;
    std::string out;
  };
  std::vector<Case> cases = {
      {{"isbn", "convert", "--format", "2", "7-5006-3772-1", "7500637722"},
       "",
       "9787500637721\n7500637722\n"},
      {{"isbn", "convert", "--format", "0", "--force", "7500637722"},
       "",
       "7-5006-3772-2\n"},
      {{"isbn", "convert", "--format", "1"},
       "9787500637721\r\n9777500637005\n",
       "7500637721\n75006375\n"},
      {{"isbn", "key", "ISBN 7-5006-3772-1", "9787500637721"},
       "",
       "750063772\n750063772\n"},
      {{"isbn", "hyphens"},
       " 7500637721 \nqrstuvwx\n",
       "7-5006-3772-1\nQRST-UVWX\n"},
      {{"isbn", "recognise", "9787500637721", "7500637722", "12345"},
       "",
       "7500637721\tvalid\n7500637721\tinvalid\n12345\tinvalid\n"},
      {{"isbn", "check-digit", "isbn10", "750063772"}, "", "1\n"},
      {{"isbn", "check-digit", "ean13", "978750063772"}, "", "1\n"},
      {{"isbn", "check-digit", "issn"}, "7500637\n", "5\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[1]);
    testing::CliRun run = Run(c.args, c.input);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, c.out);
  }
  testing::CliRun bad = Run({"isbn", "check-digit", "isbn10", "75x"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.out, "\n");
}

TEST_F(CliTest, IsbnRangesReportsAndLoadsTheRangeData) {
  ::setenv("XDG_CONFIG_HOME", dir_.Path("config").c_str(), 1);
  EXPECT_EQ(Run({"isbn", "ranges"}).out, "2022-11-13\t内置\n");
  EXPECT_EQ(Run({"isbn", "hyphens", "1402894627"}).out, "1-4028-9462-7\n");

  WriteFile(dir_.Path("bad.xml"), "<html><body/></html>");
  EXPECT_EQ(Run({"isbn", "ranges", "--load", "bad.xml"}).status, 2);
  WriteFile(dir_.Path("RangeMessage.xml"),
            "<ISBNRangeMessage><MessageDate>Tue, 2 Jan 2024 10:00:00 GMT"
            "</MessageDate><EAN.UCC><Prefix>978</Prefix><Rules><Rule>"
            "<Range>0000000-5999999</Range><Length>1</Length></Rule></Rules>"
            "</EAN.UCC><Group><Prefix>978-1</Prefix><Rules><Rule>"
            "<Range>0000000-9999999</Range><Length>2</Length></Rule></Rules>"
            "</Group></ISBNRangeMessage>");
  EXPECT_EQ(Run({"isbn", "ranges", "--load", "RangeMessage.xml"}).status, 0);
  const std::string stored = dir_.Path("config") + "/Veltrane/RangeMessage.xml";
  EXPECT_EQ(Run({"isbn", "ranges"}).out, "2024-01-02\t" + stored + "\n");
  EXPECT_EQ(Run({"isbn", "hyphens", "1402894627"}).out, "1-40-289462-7\n");
}

TEST_F(CliTest, CountAndShow) {
  std::string r1 = IsoRecord({{"001", "id1"},
                              {"010", "  $a7-5006-3772-1$dCNY25.00"},
                              {"200", "1 $a\xB2\xE2\xCA\xD4$fAuthor"}});
  std::string r2 = BookRecord("id2", "7-111-22222-0");
  WriteFile(dir_.Path("in.iso"), r1 + "\r\njunk" + r2 + "\r\n");

  EXPECT_EQ(Run({"count", "in.iso"}).out, "2\n");
  EXPECT_EQ(Run({"count", "missing.iso"}).out, "0\n");

  testing::CliRun line = Run({"show", "in.iso", "--record", "1"});
  EXPECT_EQ(line.status, 0);
  EXPECT_EQ(line.out, r1.substr(0, 24) +
                          "\n001 id1\n010    $a 7-5006-3772-1 $d CNY25.00\n"
                          "200 1  $a 测试 $f Author\n\n");

  EXPECT_EQ(Run({"show", "in.iso", "--format", "raw"}).out,
            r1 + "\r\n" + r2 + "\r\n");
  // The records here are already in model form, so rebuilding them changes
  // nothing (they have no 005).
  EXPECT_EQ(Run({"show", "in.iso", "--format", "iso", "--record", "2"}).out,
            r2 + "\r\n");
  EXPECT_EQ(Run({"show", "in.iso", "--record", "3"}).status, 2);
}

TEST_F(CliTest, ShowReportsUnreadableRecordsAndHonoursOnError) {
  std::string bad = BookRecord("bad", "1");
  bad.replace(12, 5, "abcde");
  WriteFile(dir_.Path("in.iso"),
            BookRecord("a", "1") + bad + bad + BookRecord("b", "2"));
  testing::CliRun go_on = Run({"show", "in.iso"});
  EXPECT_EQ(go_on.status, 3);
  EXPECT_NE(go_on.out.find("001 b"), std::string::npos);
  EXPECT_NE(go_on.err.find("2"), std::string::npos);
  std::string log = ReadFile(dir_.Path("ErrorLog.txt"));
  EXPECT_NE(log.find(bad), std::string::npos);

  testing::CliRun stop = Run({"show", "in.iso", "--on-error", "stop"});
  EXPECT_EQ(stop.status, 3);
  EXPECT_EQ(stop.out.find("001 b"), std::string::npos);
}

TEST_F(CliTest, IsbnOut) {
  WriteFile(dir_.Path("in.iso"),
            BookRecord("1", "7-5006-3772-1") + BookRecord("2", ""));
  testing::CliRun run = Run({"isbn-out", "in.iso", "out.txt"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "ISBN输出完成。共2条\n");
  EXPECT_EQ(ReadFile(dir_.Path("out.txt")), "7-5006-3772-1\r\n\r\n");

  EXPECT_EQ(
      Run({"isbn-out", "-q", "in.iso", "plain.txt", "--strip-hyphens"}).out,
      "");
  EXPECT_EQ(ReadFile(dir_.Path("plain.txt")), "7500637721\r\n\r\n");

  testing::CliRun missing = Run({"isbn-out", "none.iso", "x.txt"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "请指定MARC文件。\n");
  testing::CliRun no_output = Run({"isbn-out", "in.iso"});
  EXPECT_EQ(no_output.status, 2);
  EXPECT_EQ(no_output.err, "请指定ISBN文件\n");
  EXPECT_FALSE(std::filesystem::exists(dir_.Path("x.txt")));

  testing::CliRun unwritable = Run({"isbn-out", "in.iso", "no/dir/out.txt"});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_NE(unwritable.err.find("no/dir/out.txt"), std::string::npos);
}

}  // namespace
}  // namespace veltrane
