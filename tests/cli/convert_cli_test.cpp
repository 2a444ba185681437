// veltrane-cli on records in UTF-8 and GBK: shown by their encoding and
// converted, the UTF-8 output read back by an independent reader.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "cli/cli_runner.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::IsoRecord;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// "测试" in both encodings.
constexpr char kGbk[] = "\xB2\xE2\xCA\xD4";
constexpr char kUtf8[] = "\xE6\xB5\x8B\xE8\xAF\x95";

// What yaz-marcdump prints for `file` (it reads the CR LF between records
// as junk and then exits with status 5, so the status is not looked at), or
// nullopt when the program is missing.
std::optional<std::string> YazDump(const std::string& file) {
  if (std::system("command -v yaz-marcdump >/dev/null 2>&1") != 0) {
    return std::nullopt;
  }
  const std::string command =
      "yaz-marcdump -f UTF-8 -t UTF-8 '" + file + "' 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"),
                                             ::pclose);
  std::string out;
  char buffer[4096];
  while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get())) {
    out.append(buffer, n);
  }
  return out;
}

TEST(ConvertCliTest, ShowDecodesEachRecordByItsEncoding) {
  TempDir dir;
  WriteFile(dir.Path("in.iso"),
            IsoRecord({{"200", std::string("1 $a") + kGbk + "$eGBK"}}) +
                IsoRecord({{"200", std::string("1 $a") + kUtf8 + "$eUTF"}}));
  testing::CliRun run = testing::RunCli(dir.Path(""), {"show", "in.iso"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find(std::string("200 1  $a ") + kUtf8 + " $e GBK\n"),
            std::string::npos);
  EXPECT_NE(run.out.find(std::string("200 1  $a ") + kUtf8 + " $e UTF\n"),
            std::string::npos);
}

TEST(ConvertCliTest, ToUtf8AndBackSkippingWhatCannotBeDecoded) {
  TempDir dir;
  const std::string cnmarc =
      IsoRecord({{"001", "cn1"}, {"200", std::string("1 $a") + kGbk}});
  const std::string marc21 = IsoRecord(
      {{"001", "us1"}, {"008", "860627s1910"}, {"245", std::string("10$a") + kGbk}});
  const std::string damaged = IsoRecord({{"001", "bad"}, {"200", "1 $a\xB2\xFF"}});
  WriteFile(dir.Path("in.iso"), cnmarc + damaged + marc21);

  testing::CliRun to_utf8 = testing::RunCli(
      dir.Path(""), {"convert", "in.iso", "utf8.iso", "--to", "utf-8"});
  EXPECT_EQ(to_utf8.status, 3);
  EXPECT_NE(ReadFile(dir.Path("ErrorLog.txt")).find(damaged), std::string::npos);

  std::optional<std::string> dump = YazDump(dir.Path("utf8.iso"));
  if (!dump) GTEST_SKIP() << "yaz-marcdump (Debian package yaz) is missing";
  EXPECT_NE(dump->find(std::string("200 1  $a ") + kUtf8), std::string::npos);
  EXPECT_NE(dump->find(std::string("245 10 $a ") + kUtf8), std::string::npos);
  EXPECT_EQ(dump->find("001 bad"), std::string::npos);
  EXPECT_NE(dump->find("nam0a22"), std::string::npos);  // MARC 21: leader 9 "a"
  EXPECT_NE(dump->find("nam0 22"), std::string::npos);  // CNMARC kept

  testing::CliRun to_gbk = testing::RunCli(
      dir.Path(""), {"convert", "utf8.iso", "gbk.iso", "--to", "gbk"});
  EXPECT_EQ(to_gbk.status, 0);
  EXPECT_EQ(ReadFile(dir.Path("gbk.iso")), cnmarc + "\r\n" + marc21 + "\r\n");
}

}  // namespace
}  // namespace veltrane
