#include "isbn/hyphenation.h"

#include <gtest/gtest.h>

#include <string_view>

namespace veltrane {
namespace {

struct HyphenCase {
  std::string_view input;
  std::string_view expected;
};

void ExpectHyphenated(std::initializer_list<HyphenCase> cases) {
  for (const HyphenCase& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(HyphenateIsbn10(c.input), c.expected);
  }
}

TEST(HyphenateIsbn10Test, SplitsGroupSevenByItsSecondDigit) {
  ExpectHyphenated({
      {"7500637721", "7-5006-3772-1"},
      {"7040123456", "7-04-012345-6"},
      {"7115123456", "7-115-12345-6"},
      {"7499999999", "7-499-99999-9"},
      {"7500000000", "7-5000-0000-0"},
      {"7799999999", "7-7999-9999-9"},
      {"780123456X", "7-80123-456-X"},
      {"7901234567", "7-901234-56-7"},
  });
}

TEST(HyphenateIsbn10Test, KeepsTheWorkedExamples) {
  ExpectHyphenated({
      {"0500637725", "0-500-63772-5"},
      {"8500637722", "85-00-63772-2"},
      {"9575006372", "957-500-637-2"},
      {"9967500638", "9967-500-63-8"},
      {"999007500X", "99900-7500-X"},  // no title part
  });
}

// Expected forms are the agency's (as python3-stdnum gives them).
TEST(HyphenateIsbn10Test, CutsByTheAgencysRangesInEveryGroup) {
  ExpectHyphenated({
      {"0945807309", "0-945807-30-9"},
      {"0215736818", "0-215-73681-8"},
      {"1402894627", "1-4028-9462-7"},
      {"1662994478", "1-6629-9447-8"},
      {"271703076X", "2-7170-3076-X"},
      {"3899263596", "3-89926-359-6"},
      {"4961689793", "4-9616897-9-3"},
      {"5783153184", "5-7831-5318-4"},
      {"8057433779", "80-574-3377-9"},
      {"8411182134", "84-1118-213-4"},
      {"8577326802", "85-7732-680-2"},
      {"881298326X", "88-12-98326-X"},
      {"896261720X", "89-6261-720-X"},
      {"9570171790", "957-01-7179-0"},
      {"9627901733", "962-7901-73-3"},
      {"9810660014", "981-06-6001-4"},
      {"9970923617", "9970-9236-1-7"},
      {"9990120153", "99901-20-15-3"},
  });
}

// Where the agency assigns no group or no publisher block, the general
// tables answer, so every ISBN still gets a form.
TEST(HyphenateIsbn10Test, FallsBackToTheGeneralTablesOutsideAssignedRanges) {
  ExpectHyphenated({
      {"6840857581", "6-8408-5758-1"},  // 66-69: no group assigned
      {"6283459862", "628-345-986-2"},  // group without publisher ranges
      {"6584480283", "65-8448-028-3"},  // unassigned publisher block
      {"9819690285", "981-969028-5"},   // 7 asked, 6 available
      {"9990048312", "99900-483-1-2"},
  });
}

TEST(HyphenateIsbn10Test, LeavesNonIsbnTextUnchanged) {
  ExpectHyphenated({
      {"", ""},
      {"750063772", "750063772"},
      {"75006377211", "75006377211"},
      {"X500637721", "X500637721"},
      {"7A00637721", "7A00637721"},
  });
}

TEST(AddIsbnHyphensTest, TrimsUpperCasesAndHyphenatesByLength) {
  const HyphenCase cases[] = {
      {" 7500637721 ", "7-5006-3772-1"},
      {"\t750063708x\r\n", "7-5006-3708-X"},
      {"qrstuvwx", "QRST-UVWX"},
      {"75006375", "7500-6375"},
      {"7500609x", "7500-609X"},
      {"7-5006-37721", "7-5006-37721"},  // already hyphenated: left as it is
      {" 7500-609x ", "7500-609X"},
      {"", ""},
      {" \x01 ", ""},
      {"12345", "12345"},
      {"isbn 7500637721", "ISBN 7500637721"},
      {"a`z{@", "A`Z{@"},  // only a-z change case
      {"9787500637721", "9787500637721"},
      {"abcdefghij", "ABCDEFGHIJ"},
      // Bytes of GBK text are neither blanks nor letters.
      {"\xa1\xf6"
       "ab\xb0\xa1"
       "cd",
       "\xa1\xf6"
       "AB-\xb0\xa1"
       "CD"},
      {"\xa1\xf6"
       "abc\xb0\xa1 ",
       "\xa1\xf6"
       "ABC\xb0\xa1"},
  };
  for (const HyphenCase& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(AddIsbnHyphens(c.input), c.expected);
  }
}

}  // namespace
}  // namespace veltrane
