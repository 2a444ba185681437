#include "util/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(TextTest, EscapeControls) {
  struct Case {
    std::string in;
    std::string out;
  };
  for (const Case& c : std::vector<Case>{
           {"plain 书名", "plain 书名"},
           {"a\tb\nc\rd\\e", "a\\tb\\nc\\rd\\\\e"},
           {std::string("nul\0cut", 7), "nul\\x00cut"},
           {"\x1b[31mred\x7f\x1f", "\\x1B[31mred\\x7F\\x1F"},
       }) {
    EXPECT_EQ(EscapeControls(c.in), c.out) << c.in;
  }
  EXPECT_EQ(EscapeControlsKeepingLines("a\tb\n\x1b\n"), "a\\tb\n\\x1B\n");
}

}  // namespace
}  // namespace veltrane
