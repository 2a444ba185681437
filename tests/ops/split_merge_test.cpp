// Splitting a MARC file into numbered files and merging files into one.
#include <gtest/gtest.h>

#include <filesystem>

#include "marc/scanner.h"
#include "ops/merge_iso.h"
#include "ops/split_marc.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::BookRecord;
using testing::ReadFile;
using testing::RecordingHost;
using testing::TempDir;
using testing::WriteFile;

// Records "1" to "n", each followed by CR LF.
std::string Records(int first, int last) {
  std::string bytes;
  for (int n = first; n <= last; ++n) {
    bytes += BookRecord(std::to_string(n), "") + "\r\n";
  }
  return bytes;
}

class SplitMergeTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return dir_.Path(name); }
  bool Exists(const std::string& name) const {
    return std::filesystem::exists(Path(name));
  }

  SplitMarcOptions Split(SplitMode mode, const std::string& number,
                         const std::string& output = "out.iso") {
    SplitMarcOptions options;
    options.marc_file = Path("in.iso");
    options.mode = mode;
    (mode == SplitMode::kFileCount ? options.file_count
                                   : options.records_per_file) = number;
    options.output_name = Path(output);
    return options;
  }

  SplitMarcResult RunSplit(const SplitMarcOptions& options) {
    auto outcome = RunSplitMarc(options, host_);
    EXPECT_TRUE(std::holds_alternative<SplitMarcResult>(outcome));
    return std::get<SplitMarcResult>(outcome);
  }

  TempDir dir_;
  RecordingHost host_;
};

TEST(SplitFileTest, NamesAndNumbers) {
  EXPECT_EQ(SplitFileName("out.iso", 0), "out0.iso");
  EXPECT_EQ(SplitFileName("out.ISO", 1), "out.ISO1.iso");
  EXPECT_EQ(SplitFileName("out", 12), "out12.iso");
  EXPECT_EQ(SplitFileName("a.iso.iso", 2), "a.iso2.iso");

  // Sizes of the files: equal parts differ by at most one record.
  struct Case {
    SplitMode mode;
    int64_t count, total;
    std::vector<int64_t> sizes;
  };
  const std::vector<Case> cases = {
      {SplitMode::kPerFile, 100, 250, {100, 100, 50}},
      {SplitMode::kPerFile, 1, 3, {1, 1, 1}},
      {SplitMode::kFileCount, 3, 1000, {334, 333, 333}},
      {SplitMode::kFileCount, 2, 3, {2, 1}},
      {SplitMode::kFileCount, 7, 100, {15, 14, 14, 15, 14, 14, 14}},
  };
  for (const Case& c : cases) {
    std::vector<int64_t> sizes;
    for (int64_t n = 1; n <= c.total; ++n) {
      const int64_t k = SplitFileOf(c.mode, c.count, c.total, n);
      if (k == static_cast<int64_t>(sizes.size())) sizes.push_back(0);
      ASSERT_EQ(k + 1, static_cast<int64_t>(sizes.size())) << n;
      ++sizes[k];
    }
    EXPECT_EQ(sizes, c.sizes) << c.count << " of " << c.total;
  }
}

TEST_F(SplitMergeTest, SplitCopiesRecordsInOrderAndAppends) {
  // A damaged record is copied as it comes.
  std::string damaged = BookRecord("5", "");
  damaged[30] = '#';
  const std::string records = Records(1, 4) + damaged + "\r\n";
  WriteFile(Path("in.iso"), records);
  SplitMarcResult result = RunSplit(Split(SplitMode::kPerFile, "2"));
  EXPECT_EQ(result.records, 5);
  EXPECT_EQ(result.files, 3);
  EXPECT_EQ(ReadFile(Path("out0.iso")), Records(1, 2));
  EXPECT_EQ(ReadFile(Path("out1.iso")), Records(3, 4));
  EXPECT_EQ(ReadFile(Path("out2.iso")), damaged + "\r\n");
  EXPECT_EQ(host_.total_, 5);
  EXPECT_EQ(host_.position_, 5);
  EXPECT_EQ(CompletionLine(result.completion), "分割MARC文件完成!");

  // A second run adds to what the files hold.
  RunSplit(Split(SplitMode::kFileCount, "2"));
  EXPECT_EQ(ReadFile(Path("out0.iso")), Records(1, 2) + Records(1, 3));
  EXPECT_EQ(ReadFile(Path("out1.iso")),
            Records(3, 4) + Records(4, 4) + damaged + "\r\n");

  // Records without line breaks between them; upper-case extension.
  WriteFile(Path("in.iso"),
            BookRecord("1", "") + BookRecord("2", "") + BookRecord("3", ""));
  RunSplit(Split(SplitMode::kFileCount, "2", "x.ISO"));
  EXPECT_EQ(CountMarcRecords(Path("x.ISO0.iso")), 2);
  EXPECT_EQ(ReadFile(Path("x.ISO1.iso")), Records(3, 3));
}

TEST_F(SplitMergeTest, SplitInputChecks) {
  WriteFile(Path("in.iso"), Records(1, 3));
  struct Case {
    SplitMarcOptions options;
    std::string message, input;
  };
  SplitMarcOptions missing = Split(SplitMode::kPerFile, "1");
  missing.marc_file = Path("none.iso");
  SplitMarcOptions blank = Split(SplitMode::kPerFile, "1");
  blank.output_name = "  ";
  const std::string wrong = "请指定正确的分割数！";
  const std::vector<Case> cases = {
      {missing, "请指定需要分割的MARC文件", "marc_file"},
      {Split(SplitMode::kPerFile, "3"), wrong, "records_per_file"},
      {Split(SplitMode::kPerFile, "0"), wrong, "records_per_file"},
      {Split(SplitMode::kPerFile, ""), wrong, "records_per_file"},
      {Split(SplitMode::kPerFile, "2x"), wrong, "records_per_file"},
      {Split(SplitMode::kPerFile, "99999999999999999999"), wrong,
       "records_per_file"},
      {Split(SplitMode::kFileCount, "1"), wrong, "file_count"},
      {Split(SplitMode::kFileCount, "3"), wrong, "file_count"},
      {Split(SplitMode::kNone, "1"), wrong, "records_per_file"},
      {blank, "请指定分割后的存放文件名", "output_name"},
  };
  for (const Case& c : cases) {
    auto outcome = RunSplitMarc(c.options, host_);
    ASSERT_TRUE(std::holds_alternative<InputProblem>(outcome)) << c.message;
    EXPECT_EQ(std::get<InputProblem>(outcome).message, c.message);
    EXPECT_EQ(std::get<InputProblem>(outcome).input, c.input);
  }
  EXPECT_FALSE(Exists("out0.iso"));
}

TEST_F(SplitMergeTest, MergeCopiesLinesInListOrder) {
  WriteFile(Path("a.iso"),
            BookRecord("1", "") + BookRecord("2", "") + BookRecord("3", ""));
  WriteFile(Path("b.iso"), Records(4, 5));
  WriteFile(Path("empty.iso"), "");
  WriteFile(Path("open.txt"), "line\nlast");
  WriteFile(Path("out.iso"), "old");
  auto outcome = RunMergeIso({{Path("a.iso"), Path("empty.iso"), Path("b.iso"),
                               Path("open.txt"), Path("b.iso")},
                              Path("out.iso")},
                             host_);
  ASSERT_TRUE(std::holds_alternative<MergeIsoResult>(outcome));
  EXPECT_EQ(CompletionLine(std::get<MergeIsoResult>(outcome).completion),
            "合并完成！");
  const std::string merged = ReadFile(Path("out.iso"));
  EXPECT_EQ(merged, ReadFile(Path("a.iso")) + "\r\n" + Records(4, 5) +
                        "line\r\nlast\r\n" + Records(4, 5));
  EXPECT_EQ(CountMarcRecords(Path("out.iso")), 7);
  EXPECT_EQ(host_.position_, host_.total_);
}

TEST_F(SplitMergeTest, FailedMergeLeavesTheOutputAsItWas) {
  WriteFile(Path("b.iso"), Records(1, 2));
  WriteFile(Path("out.iso"), "old");
  EXPECT_THROW(
      RunMergeIso({{Path("b.iso"), Path("none.iso")}, Path("out.iso")}, host_),
      std::system_error);
  EXPECT_EQ(ReadFile(Path("out.iso")), "old");
  // No temporary file is left beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("")),
                          std::filesystem::directory_iterator()),
            2);

  struct Case {
    MergeIsoOptions options;
    std::string message;
  };
  for (const Case& c : std::vector<Case>{
           {{{}, Path("out.iso")}, "请选择要合并的MARC文件"},
           {{{Path("b.iso")}, " "}, "请指定合并后的存放文件名"}}) {
    auto outcome = RunMergeIso(c.options, host_);
    ASSERT_TRUE(std::holds_alternative<InputProblem>(outcome));
    EXPECT_EQ(std::get<InputProblem>(outcome).message, c.message);
  }
}

}  // namespace
}  // namespace veltrane
