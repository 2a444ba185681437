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

TEST(HyphenateIsbn10Test, ChoosesGroupLengthAtRangeBounds) {
  ExpectHyphenated({
      {"0500637725", "0-500-63772-5"},
      {"6999999999", "6-9999999-9-9"},
      {"8000000000", "80-00-00000-0"},
      {"8500637722", "85-00-63772-2"},
      {"9499999999", "94-9999999-9"},
      {"9500000000", "950-00-0000-0"},
      {"9575006372", "957-500-637-2"},
      {"9959999999", "995-999999-9"},
      {"9960000000", "9960-00-000-0"},
      {"9967500638", "9967-500-63-8"},
      {"9989999999", "9989-99999-9"},
      {"9990000000", "99900-00-00-0"},
      {"999007500X", "99900-7500-X"},
  });
}

TEST(HyphenateIsbn10Test, ChoosesPublisherLengthAtRangeBounds) {
  ExpectHyphenated({
      {"0199999999", "0-19-999999-9"},
      {"0200000000", "0-200-00000-0"},
      {"0699999999", "0-699-99999-9"},
      {"0700000000", "0-7000-0000-0"},
      {"0849999999", "0-8499-9999-9"},
      {"0850000000", "0-85000-000-0"},
      {"0899999999", "0-89999-999-9"},
      {"0900000000", "0-900000-00-0"},
      {"0949999999", "0-949999-99-9"},
      {"0950000000", "0-9500000-0-0"},
  });
}

TEST(HyphenateIsbn10Test, CutsPublisherAtCheckDigitAndDropsEmptyTitle) {
  ExpectHyphenated({
      {"8595000001", "85-9500000-1"},  // fits exactly, no title
      {"9579500001", "957-950000-1"},  // 7 asked, 6 available
      {"9967900001", "9967-90000-1"},  // 6 asked, 5 available
      {"996795000X", "9967-95000-X"},
      {"999009500X", "99900-9500-X"},  // 7 asked, 4 available
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
