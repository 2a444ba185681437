#include "ops/iso_file_index.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/test_support.h"
#include "util/encoding.h"

namespace veltrane {
namespace {

using testing::BookRecord;
using testing::IsoRecord;

// Collects what Show hands over.
struct Shown {
  std::vector<std::pair<int64_t, std::string>> records;
  MarcRecordHandler Handler() {
    return [this](int64_t n, std::string_view record, bool& cont) {
      records.emplace_back(n, std::string(record));
      cont = false;
    };
  }
};

class StoppingHost : public testing::RecordingHost {
 public:
  bool StopRequested() override { return true; }
};

class IsoFileIndexTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    testing::WriteFile(dir_.Path(name), bytes);
    return dir_.Path(name);
  }
  testing::TempDir dir_;
  testing::RecordingHost host_;
};

TEST_F(IsoFileIndexTest, ShowsAnyRecordByItsOffset) {
  const std::string good = Write(
      "good.iso", BookRecord("1", "") + "\r\n" +
                      BookRecord("2", "7-5006-3772-1") + BookRecord("3", ""));
  IsoFileIndex index = IsoFileIndex::Build(good, host_);
  ASSERT_EQ(index.Total(), 3);
  EXPECT_TRUE(index.Describes(good));
  Shown shown;
  for (int64_t n : {3, 1, 2}) {
    EXPECT_TRUE(index.Show(good, n, shown.Handler(), host_));
  }
  ASSERT_EQ(shown.records.size(), 3u);
  EXPECT_EQ(shown.records[0], std::make_pair(int64_t{3}, BookRecord("3", "")));
  EXPECT_EQ(shown.records[1].second, BookRecord("1", ""));
  EXPECT_EQ(shown.records[2].second, BookRecord("2", "7-5006-3772-1"));
}

TEST_F(IsoFileIndexTest, AChangedOrOtherFileIsReadFromItsStart) {
  const std::string file =
      Write("a.iso", BookRecord("1", "") + BookRecord("2", ""));
  IsoFileIndex index = IsoFileIndex::Build(file, host_);
  // Replaced under the same name by records of other lengths.
  Write("a.iso", BookRecord("first", "") + BookRecord("second", "") +
                     BookRecord("third", ""));
  EXPECT_FALSE(index.Describes(file));
  const std::string other = Write("b.iso", BookRecord("b1", "") +
                                               BookRecord("b2", ""));
  EXPECT_FALSE(index.Describes(other));
  Shown shown;
  EXPECT_TRUE(index.Show(file, 2, shown.Handler(), host_));
  EXPECT_TRUE(index.Show(other, 2, shown.Handler(), host_));
  EXPECT_TRUE(index.Show(file, 3, shown.Handler(), host_));  // beyond Total
  ASSERT_EQ(shown.records.size(), 3u);
  EXPECT_EQ(shown.records[0].second, BookRecord("second", ""));
  EXPECT_EQ(shown.records[1].second, BookRecord("b2", ""));
  EXPECT_EQ(shown.records[2].second, BookRecord("third", ""));

  // Same size, later modification time: the content may differ.
  IsoFileIndex fresh = IsoFileIndex::Build(other, host_);
  std::filesystem::last_write_time(
      other, std::filesystem::last_write_time(other) + std::chrono::seconds(5));
  EXPECT_FALSE(fresh.Describes(other));

  std::filesystem::remove(file);
  EXPECT_FALSE(index.Show(file, 1, shown.Handler(), host_));
  EXPECT_EQ(shown.records.size(), 3u);
}

TEST_F(IsoFileIndexTest, AFailedRecordIsLoggedAndAnswered) {
  const std::string file =
      Write("bad.iso", BookRecord("1", "") + BookRecord("2", ""));
  IsoFileIndex index = IsoFileIndex::Build(file, host_);
  host_.answers = {false};
  EXPECT_TRUE(index.Show(
      file, 2,
      [](int64_t, std::string_view, bool&) {
        throw std::runtime_error("unreadable");
      },
      host_));
  EXPECT_EQ(host_.failed_records, std::vector<int64_t>{2});
  const char* log = std::getenv("VELTRANE_ERROR_LOG");
  ASSERT_NE(log, nullptr);
  EXPECT_NE(testing::ReadFile(log).find(file), std::string::npos);
}

TEST_F(IsoFileIndexTest, FindsTheNextRecordHoldingAText) {
  const std::string gbk_title = Utf8ToGbk("红楼梦 Dream");
  const std::string file = Write(
      "find.iso",
      IsoRecord({{"001", "1"}, {"200", "1 $a" + gbk_title}}) +
          IsoRecord({{"001", "2"}, {"010", "  $a7-5006-3772-1"}}) +
          IsoRecord({{"001", "3"}, {"200", "1 $a红楼梦 (UTF-8)"}}) +
          IsoRecord({{"001", "4"}, {"200", "1 $aDREAM"}}));
  IsoFileIndex index = IsoFileIndex::Build(file, host_);
  EXPECT_EQ(index.Find(file, 0, "红楼梦", host_), 1);
  EXPECT_EQ(index.Find(file, 1, "红楼梦", host_), 3);
  EXPECT_EQ(index.Find(file, 0, "7-5006-3772-1", host_), 2);
  EXPECT_EQ(index.Find(file, 1, "dream", host_), 4);
  EXPECT_EQ(index.Find(file, 4, "dream", host_), std::nullopt);
  EXPECT_EQ(host_.total_, 0);
  StoppingHost stopping;
  EXPECT_EQ(index.Find(file, 0, "nowhere", stopping), std::nullopt);
  EXPECT_EQ(stopping.position_, 1);  // ended after the first record
}

}  // namespace
}  // namespace veltrane
