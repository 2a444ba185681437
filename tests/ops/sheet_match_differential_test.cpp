// MatchSheetRows against the nested-loop reference on generated lists of
// every mode: "且" and "或", one to three pairs, sorted mode on sorted and on
// unsorted lists, with and without heading rows, with empty cells.
#include <gtest/gtest.h>

#include <ostream>

#include "bench/sheet_check_reference.h"
#include "bench/sheet_generator.h"
#include "ops/sheet_match.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

struct Case {
  std::vector<ColumnPair> pairs;
  bool any;
  bool sorted_mode;
  bool sorted_lists;
  double empty_share;
};

void PrintTo(const Case& c, std::ostream* out) {
  *out << c.pairs.size() << (c.any ? " pairs or" : " pairs and")
       << (c.sorted_mode ? ", sorted mode" : "")
       << (c.sorted_lists ? ", sorted lists" : "");
}

class SheetMatchDifferentialTest : public ::testing::TestWithParam<Case> {};

TEST_P(SheetMatchDifferentialTest, MarksEqualTheNestedLoops) {
  const Case& c = GetParam();
  for (uint64_t seed = 1; seed <= 12; ++seed) {
    const size_t distinct = 3 + seed % 6;
    const Grid buyer = GenerateSheetList(
        {seed, 40 + seed, distinct, c.empty_share, c.sorted_lists});
    const Grid supplier = GenerateSheetList(
        {seed * 31, 50 - seed, distinct, c.empty_share, c.sorted_lists});
    for (size_t first : {0, 1}) {
      SheetMatchSpec spec{c.pairs, c.any, c.sorted_mode, first, 1 - first};
      testing::RecordingHost host;
      std::optional<SheetMarks> indexed =
          MatchSheetRows(buyer, supplier, spec, host);
      ASSERT_TRUE(indexed);
      SheetMarks nested = NestedSheetMatch(buyer, supplier, spec);
      EXPECT_EQ(indexed->buyer, nested.buyer) << "seed " << seed;
      EXPECT_EQ(indexed->supplier, nested.supplier) << "seed " << seed;
    }
  }
}

const std::vector<ColumnPair> kIsbn = {{0, 0}};
const std::vector<ColumnPair> kIsbnTitle = {{0, 0}, {1, 1}};
const std::vector<ColumnPair> kCrossed = {{0, 0}, {1, 1}, {2, 1}};

INSTANTIATE_TEST_SUITE_P(
    AllModes, SheetMatchDifferentialTest,
    ::testing::Values(Case{kIsbn, false, false, false, 0.0},
                      Case{kIsbnTitle, false, false, false, 0.2},
                      Case{kIsbnTitle, true, false, false, 0.2},
                      Case{kCrossed, true, false, false, 0.3},
                      Case{kIsbn, false, true, true, 0.0},
                      Case{kIsbnTitle, false, true, true, 0.1},
                      Case{kIsbnTitle, true, true, true, 0.1},
                      Case{kCrossed, true, true, true, 0.3},
                      Case{kIsbnTitle, false, true, false, 0.1},
                      Case{kCrossed, true, true, false, 0.2}));

}  // namespace
}  // namespace veltrane
