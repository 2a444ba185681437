// RunDedupMarc and RunDedupIsbn against the nested-loop references, byte
// for byte, on generated files: every rule, key option, field list and
// threshold; with and without a result file that already holds entries;
// damaged and unreadable records.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "bench/dedup_reference.h"
#include "ops/dedup.h"
#include "ops/duplicate_test_data.h"
#include "ops/list_test_data.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::ReadFile;
using testing::RecordingHost;
using testing::TempDir;
using testing::WriteFile;

class DedupDifferentialTest : public ::testing::Test {
 protected:
  void SetUp() override { ::setenv("VELTRANE_ERROR_LOG", "/dev/null", 1); }
  std::string Path(const std::string& name) const { return dir_.Path(name); }

  // Both results start as `held` (none when empty).
  void StartResults(const std::string& held) {
    for (const char* name : {"nested.out", "indexed.out"}) {
      std::filesystem::remove(Path(name));
      if (!held.empty()) WriteFile(Path(name), held);
    }
  }

  void ExpectSameResults() {
    const std::string nested = ReadFile(Path("nested.out"));
    const std::string indexed = ReadFile(Path("indexed.out"));
    EXPECT_TRUE(nested == indexed)
        << nested.size() << " bytes vs " << indexed.size();
  }

  TempDir dir_;
  RecordingHost host_;
};

TEST_F(DedupDifferentialTest, MarcIndexedEqualsNested) {
  const std::vector<testing::Rule> rules = testing::EveryRule();
  for (uint64_t seed = 1; seed <= 3; ++seed) {
    const testing::Files files = testing::MakeFiles(seed, true);
    // All records into an empty result; the supplier's into a result that
    // holds the buyer's.
    const std::vector<std::pair<std::string, std::string>> runs = {
        {files.buyer + files.supplier, ""}, {files.supplier, files.buyer}};
    for (const auto& [source, held] : runs) {
      WriteFile(Path("in.iso"), source);
      for (const testing::Rule& rule : rules) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", " +
                     testing::Describe(rule) + (held.empty() ? "" : ", held"));
        DedupMarcOptions options{Path("in.iso"), Path("nested.out"),
                                 rule.rule,      rule.fields,
                                 rule.threshold, rule.isbn_keys};
        StartResults(held);
        NestedDedupMarc(options);
        options.result_file = Path("indexed.out");
        auto outcome = RunDedupMarc(options, host_);
        ASSERT_TRUE(std::holds_alternative<DedupResult>(outcome));
        ExpectSameResults();
      }
    }
  }
}

TEST_F(DedupDifferentialTest, IsbnIndexedEqualsNested) {
  for (uint64_t seed = 1; seed <= 10; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937_64 rng(seed);
    WriteFile(Path("in.txt"), testing::RandomIsbnList(seed, 40, 120, rng));
    std::string held =
        seed % 2 ? "" : testing::RandomIsbnList(seed, 40, 20, rng) + "\n";
    StartResults(held);
    NestedDedupIsbn({Path("in.txt"), Path("nested.out")});
    auto outcome = RunDedupIsbn({Path("in.txt"), Path("indexed.out")}, host_);
    ASSERT_TRUE(std::holds_alternative<DedupResult>(outcome));
    ExpectSameResults();
  }
}

}  // namespace
}  // namespace veltrane
