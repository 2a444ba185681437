#include "util/text.h"

#include <gtest/gtest.h>

namespace veltrane {
namespace {

TEST(TextTest, TrimTreatsControlBytesAsBlank) {
  EXPECT_EQ(Trim(" \t\x1E"
                 "a b\x1D\r\n"),
            "a b");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a "), "  a");
  EXPECT_EQ(Trim("   "), "");
}

TEST(TextTest, ParseInteger) {
  EXPECT_EQ(ParseInteger("00049"), 49);
  EXPECT_EQ(ParseInteger("  12"), 12);
  EXPECT_EQ(ParseInteger("-01"), -1);
  EXPECT_EQ(ParseInteger("+7"), 7);
  for (const char* bad :
       {"", " ", "12 ", "1a", "0x1", "--1", "99999999999999999999"}) {
    EXPECT_FALSE(ParseInteger(bad).has_value()) << bad;
  }
}

}  // namespace
}  // namespace veltrane
