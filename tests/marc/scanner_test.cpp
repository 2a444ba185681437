#include "marc/scanner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <system_error>

#include "marc/error_log.h"
#include "marc/record.h"
#include "marc/record_reader.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using namespace std::string_literals;
using testing::BookRecord;
using testing::ReadFile;
using testing::RecordingHost;
using testing::TempDir;
using testing::WriteFile;

struct Scanned {
  int64_t returned = 0;
  std::vector<std::string> records;
  std::vector<int64_t> numbers;
};

Scanned ScanBytes(const std::string& bytes) {
  TempDir dir;
  std::string path = dir.Path("in.iso");
  WriteFile(path, bytes);
  Scanned out;
  RecordingHost host;
  std::vector<int64_t> offsets;
  out.returned = ScanMarcFileAt(
      path,
      [&](int64_t rec_no, std::string_view text, int64_t offset, bool&) {
        out.numbers.push_back(rec_no);
        out.records.emplace_back(text);
        offsets.push_back(offset);
      },
      host);
  EXPECT_EQ(CountMarcRecords(path), out.returned);
  // Every record reads again from its offset exactly as it was handed over.
  if (!offsets.empty()) {
    RecordReader reader(path);
    for (size_t i = 0; i < offsets.size(); ++i) {
      EXPECT_EQ(reader.ReadAt(offsets[i]), out.records[i]) << i;
    }
  }
  return out;
}

const std::string kR1 = BookRecord("r1", "7-5006-3772-1");
const std::string kR2 = BookRecord("r2", "7-111-22222-0");
const std::string kR3 = BookRecord("r3", "7-222-33333-3");

std::string WithLength(std::string record, int64_t length) {
  char digits[6];
  std::snprintf(digits, sizeof digits, "%05lld",
                static_cast<long long>(length));
  record.replace(0, 5, digits);
  return record;
}

TEST(ScannerTest, HandsOverEveryRecordWithoutSeparators) {
  Scanned s = ScanBytes(kR1 + "\r\n" + kR2 + "\r\n\n\0\0\x1D"s + kR3 + "\r\n");
  EXPECT_EQ(s.records, (std::vector<std::string>{kR1, kR2, kR3}));
  EXPECT_EQ(s.numbers, (std::vector<int64_t>{1, 2, 3}));
  EXPECT_EQ(s.returned, 3);
}

TEST(ScannerTest, NulInsideRecordReachesHandlerAsBlank) {
  std::string broken = kR1;
  broken[30] = '\0';
  Scanned s = ScanBytes(broken + kR2);
  ASSERT_EQ(s.records.size(), 2u);
  std::string expected = kR1;
  expected[30] = ' ';
  EXPECT_EQ(s.records[0], expected);
}

TEST(ScannerTest, DamagedLengthsAndJunkAreSkipped) {
  const int64_t n1 = static_cast<int64_t>(kR1.size());
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> records;
  };
  std::vector<Case> cases = {
      {"length 50 too short: cut short, next record found",
       WithLength(kR1, n1 - 50) + "\r\n" + kR2 + "\r\n" + kR3,
       {WithLength(kR1, n1 - 50).substr(0, n1 - 50), kR2, kR3}},
      {"length 30 too long: swallows 30 bytes, next read again",
       WithLength(kR1, n1 + 30) + kR2 + kR3,
       {(WithLength(kR1, n1 + 30) + kR2).substr(0, n1 + 30), kR2, kR3}},
      {"junk text between records",
       kR1 + "garbage 12 ###\r\n" + kR2,
       {kR1, kR2}},
      {"NUL run between records",
       kR1 + std::string(5000, '\0') + kR2,
       {kR1, kR2}},
      {"more than a megabyte of junk",
       kR1 + std::string(3 << 20, 'j') + kR2,
       {kR1, kR2}},
      {"text header before the first record", "HEADER\r\n" + kR1 + kR2, {}},
      {"empty file", "", {}},
      {"record cut off by the end of the file",
       kR1 + kR2.substr(0, 40),
       {kR1, kR2.substr(0, 40) + std::string(kR2.size() - 40, ' ')}},
      {"a leader-like start that is too short to be a record",
       kR1 + "00010nam0" + kR2,
       {kR1, kR2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Scanned s = ScanBytes(c.bytes);
    EXPECT_EQ(s.records, c.records);
    EXPECT_EQ(s.returned, static_cast<int64_t>(c.records.size()));
  }
}

TEST(ScannerTest, MissingFileAndFolderGiveZero) {
  TempDir dir;
  RecordingHost host;
  auto never = [](int64_t, std::string_view, bool&) { FAIL(); };
  EXPECT_EQ(ScanMarcFile(dir.Path("missing.iso"), never, host), 0);
  EXPECT_EQ(ScanMarcFile(dir.Path(""), never, host), 0);
}

TEST(ScannerTest, HandlerStopsTheScan) {
  TempDir dir;
  std::string path = dir.Path("in.iso");
  WriteFile(path, kR1 + kR2 + kR3 + kR1);
  RecordingHost host;
  int64_t returned = ScanMarcFile(
      path,
      [](int64_t rec_no, std::string_view, bool& cont) {
        if (rec_no == 3) cont = false;
      },
      host);
  EXPECT_EQ(returned, 3);
}

TEST(ScannerTest, FailedRecordIsLoggedAndUserDecides) {
  for (bool go_on : {true, false}) {
    SCOPED_TRACE(go_on ? "continue" : "cancel");
    TempDir dir;
    std::string path = dir.Path("in.iso");
    std::string log = dir.Path("log.txt");
    ::setenv("VELTRANE_ERROR_LOG", log.c_str(), 1);
    WriteFile(path, kR1 + kR2 + kR3);
    RecordingHost host;
    host.answers = {go_on};
    std::vector<int64_t> seen;
    int64_t returned = ScanMarcFile(
        path,
        [&](int64_t rec_no, std::string_view, bool& cont) {
          seen.push_back(rec_no);
          if (rec_no == 2) {
            cont = false;  // overruled by "continue"
            throw MarcFormatError("bad");
          }
        },
        host);
    EXPECT_EQ(host.failed_records, std::vector<int64_t>{2});
    EXPECT_EQ(returned, go_on ? 3 : 2);
    EXPECT_EQ(seen.size(), go_on ? 3u : 2u);
    std::string entry = ReadFile(log);
    EXPECT_NE(entry.find("\xBC\xC7\xC2\xBC\xA3\xBA"
                         "2\r\n"),
              std::string::npos);
    EXPECT_NE(entry.find(kR2), std::string::npos);
    EXPECT_EQ(entry.find(kR1), std::string::npos);
  }
}

TEST(ScannerTest, FatalErrorsEndTheScanInsteadOfBeingLogged) {
  TempDir dir;
  std::string path = dir.Path("in.iso");
  WriteFile(path, kR1 + kR2);
  RecordingHost host;
  auto fail = [](int64_t, std::string_view, bool&) {
    throw std::system_error(EIO, std::generic_category(), "disk");
  };
  EXPECT_THROW(ScanMarcFile(path, fail, host), std::system_error);
  EXPECT_TRUE(host.failed_records.empty());
}

TEST(ScannerTest, UnwritableErrorLogEndsTheScan) {
  TempDir dir;
  std::string path = dir.Path("in.iso");
  WriteFile(path, kR1);
  ::setenv("VELTRANE_ERROR_LOG", dir.Path("no/such/folder/log.txt").c_str(), 1);
  RecordingHost host;
  auto fail = [](int64_t, std::string_view, bool&) {
    throw MarcFormatError("bad");
  };
  EXPECT_THROW(ScanMarcFile(path, fail, host), std::system_error);
}

TEST(ErrorLogTest, EntryFormat) {
  EXPECT_EQ(ErrorLogEntry("2026-12-11 09:05:03", "/d/a.iso", 7, "REC\x1E\x1D"),
            "//2026-12-11 09:05:03-------------\r\n"
            "\xCE\xC4\xBC\xFE\xA3\xBA/d/a.iso\r\n"
            "\xBC\xC7\xC2\xBC\xA3\xBA"
            "7\r\n"
            "MARC\xA3\xBA\r\n"
            "REC\x1E\x1D\r\n"
            "//\\\\\\----------------");
}

TEST(IsLeaderStartTest, Table) {
  EXPECT_TRUE(IsLeaderStart("01234nam"));
  EXPECT_TRUE(IsLeaderStart("99999zvs"));
  for (const char* bad : {"0123nam0", "01234Nam", "01234nhm", "01234nab",
                          "01234na", "0123 nam"}) {
    EXPECT_FALSE(IsLeaderStart(bad)) << bad;
  }
}

// A record beyond the 4 GiB mark of a sparse file: positions are 64-bit.
TEST(ScannerTest, FindsRecordsBeyondFourGigabytes) {
  TempDir dir;
  std::string path = dir.Path("big.iso");
  WriteFile(path, kR1);
  const auto beyond = static_cast<std::uintmax_t>(4.5 * (1ull << 30));
  std::filesystem::resize_file(path, beyond);  // a hole of NULs
  {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out << kR2;
  }
  RecordingHost host;
  std::vector<std::string> records;
  ScanMarcFile(
      path,
      [&](int64_t, std::string_view text, bool&) {
        records.emplace_back(text);
      },
      host);
  EXPECT_EQ(records, (std::vector<std::string>{kR1, kR2}));
}

// Every real sample file, damaged ones included, scans without a crash and
// every record handed over is either read and rebuilt or refused cleanly.
TEST(ScannerTest, RealSampleFiles) {
  std::optional<std::string> samples = testing::SamplesDir();
  if (!samples) GTEST_SKIP() << "sample folder absent";
  int64_t total = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(*samples + "/marc")) {
    SCOPED_TRACE(entry.path().filename().string());
    RecordingHost host;
    int64_t count = ScanMarcFile(
        entry.path().string(),
        [](int64_t, std::string_view text, bool&) {
          TMarcRecord record = TMarcRecord::Create(text);
          std::string iso = record.GetIsoText("20260101000000.0");
          EXPECT_EQ(std::stoll(iso.substr(0, 5)),
                    static_cast<long long>(iso.size()));
        },
        host);
    EXPECT_EQ(count, CountMarcRecords(entry.path().string()));
    total += count;
  }
  EXPECT_GT(total, 3000);
  EXPECT_EQ(CountMarcRecords(*samples + "/marc/pymarc__marc.dat"), 20);
}

}  // namespace
}  // namespace veltrane
