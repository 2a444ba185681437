#include "db/gbk_prefix.h"

#include <gtest/gtest.h>

#include <string>

namespace veltrane {
namespace {

// "中" and "文" in GBK.
const std::string kZhong = "\xD6\xD0";
const std::string kWen = "\xCE\xC4";

TEST(GbkPrefixTest, CountsDoubleByteCharactersAsOneAndNeverSplitsThem) {
  struct Case {
    std::string text;
    size_t max_chars;
    std::string expected;
  } cases[] = {
      {"abcdef", 3, "abc"},
      {"abc", 5, "abc"},
      {kZhong + kWen + "x", 2, kZhong + kWen},
      {"a" + kZhong + kWen, 2, "a" + kZhong},
      {kZhong + "a" + kWen, 3, kZhong + "a" + kWen},
      {"", 4, ""},
      {kZhong, 0, ""},
      // A lead byte without a valid trail byte is one character on its own.
      {"\x81\x20" + kZhong, 2, "\x81\x20"},
      {"\x81\x7F\x62", 2, "\x81\x7F"},
      {"ab\xD6", 3, "ab\xD6"},
      // 0x80 and 0xFF are never lead bytes.
      {"\x80\xD6\xD0", 2, "\x80\xD6\xD0"},
      {"\xFF\xD6\xD0", 2, "\xFF\xD6\xD0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(GbkPrefix(c.text, c.max_chars), c.expected);
  }
}

TEST(GbkPrefixTest, ByteLimitNeverSplitsADoubleByteCharacter) {
  struct Case {
    std::string text;
    size_t max_bytes;
    std::string expected;
  } cases[] = {
      {"abcdef", 4, "abcd"},
      {"a" + kZhong + kWen, 4, "a" + kZhong},
      {"a" + kZhong + kWen, 5, "a" + kZhong + kWen},
      {kZhong, 1, ""},
      {"ab\xD6", 3, "ab\xD6"},
      {"", 2, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(GbkBytePrefix(c.text, c.max_bytes), c.expected);
  }
}

}  // namespace
}  // namespace veltrane
