// The matching rules of the workbook check on small lists.
#include "ops/sheet_match.h"

#include <gtest/gtest.h>

#include "bench/sheet_generator.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using Marks = std::vector<bool>;
using Rows = std::vector<std::vector<std::string>>;

SheetMarks Match(const Rows& buyer, const Rows& supplier,
                 SheetMatchSpec spec) {
  testing::RecordingHost host;
  return *MatchSheetRows(GridFromRows(buyer), GridFromRows(supplier), spec,
                         host);
}

TEST(SheetMatchTest, CellsAreComparedByteForByte) {
  const Rows buyer = {{"ISBN"},         {"7-5006-3772-1"}, {"9787500637721"},
                          {"abc"},          {"x "},            {"7500637721"}};
  const Rows supplier = {{"ISBN"}, {"7500637721"}, {"ABC"}, {"x"}};
  EXPECT_EQ(Match(buyer, supplier, {{{0, 0}}}).buyer,
            (Marks{false, false, false, false, false, true}));
}

TEST(SheetMatchTest, EmptyCellsAreEqualUnderBothModes) {
  const Rows buyer = {{"a", "b"}, {"", ""}, {"", "t"}};
  const Rows supplier = {{"a", "b"}, {"", ""}};
  EXPECT_EQ(Match(buyer, supplier, {{{0, 0}, {1, 1}}, false}).buyer,
            (Marks{false, true, false}));
  EXPECT_EQ(Match(buyer, supplier, {{{0, 0}, {1, 1}}, true}).buyer,
            (Marks{false, true, true}));
}

TEST(SheetMatchTest, UnsortedModeMarksEverySupplierRowOfAMatch) {
  const Rows buyer = {{"ISBN"}, {"1"}};
  const Rows supplier = {{"ISBN"}, {"1"}, {"2"}, {"1"}, {"1"}};
  EXPECT_EQ(Match(buyer, supplier, {{{0, 0}}}).supplier,
            (Marks{false, true, false, true, true}));
}

// A buyer row that repeats the row before it shares its result, from the
// second data row on, instead of landing among the books the supplier lacks.
TEST(SheetMatchTest, SortedModeRepeatedBuyerRowsTakeThePreviousMark) {
  const Rows buyer = {{"ISBN"}, {"1"}, {"1"}, {"1"}, {"2"}, {"3"}, {"3"}};
  const Rows supplier = {{"ISBN"}, {"1"}, {"3"}};
  SheetMarks marks = Match(buyer, supplier, {{{0, 0}}, false, true});
  EXPECT_EQ(marks.buyer, (Marks{false, true, true, true, false, true, true}));
  EXPECT_EQ(marks.supplier, (Marks{false, true, true}));
}

// Sorted mode trusts the order: a supplier row before the last match is not
// visited again, and a run ends at its first non-matching row.
TEST(SheetMatchTest, SortedModeScansOnlyForward) {
  const Rows buyer = {{"k"}, {"2"}, {"1"}};
  const Rows supplier = {{"k"}, {"1"}, {"2"}, {"9"}, {"2"}};
  SheetMarks marks = Match(buyer, supplier, {{{0, 0}}, false, true});
  EXPECT_EQ(marks.buyer, (Marks{false, true, false}));
  EXPECT_EQ(marks.supplier, (Marks{false, false, true, false, false}));
}

TEST(SheetMatchTest, RowZeroIsDataWithoutHeadingRows) {
  const Rows buyer = {{"1"}, {"2"}};
  const Rows supplier = {{"2"}, {"1"}};
  EXPECT_EQ(Match(buyer, supplier, {{{0, 0}}, false, false, 0, 0}).buyer,
            (Marks{true, true}));
  EXPECT_EQ(Match(buyer, supplier, {{{0, 0}}, false, false, 1, 1}).buyer,
            (Marks{false, false}));
}

class StopAtOnce : public testing::RecordingHost {
  bool StopRequested() override { return true; }
};

TEST(SheetMatchTest, StopGivesNoMarks) {
  StopAtOnce host;
  const Grid list = GridFromRows({{"k"}, {"1"}});
  EXPECT_FALSE(MatchSheetRows(list, list, {{{0, 0}}}, host));
}

}  // namespace
}  // namespace veltrane
