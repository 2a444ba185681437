#include "util/encoding.h"

#include <gtest/gtest.h>

#include <vector>

namespace veltrane {
namespace {

TEST(EncodingTest, RoundTripsChineseText) {
  const std::string utf8 = "从MARC数据中输出ISBN■";
  const std::string gbk = Utf8ToGbk(utf8);
  EXPECT_EQ(gbk.substr(0, 2), "\xB4\xD3");  // 从
  EXPECT_EQ(gbk.substr(gbk.size() - 2), "\xA1\xF6");
  EXPECT_EQ(GbkToUtf8(gbk), utf8);
}

TEST(EncodingTest, BadBytesNeverStopTheConversion) {
  EXPECT_EQ(GbkToUtf8("a\xFF"
                      "b"),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(GbkToUtf8("ab\x81"), "ab\xEF\xBF\xBD");  // cut-off character
  EXPECT_EQ(Utf8ToGbk("a\xE2\x82"
                      "b"),
            "a?b");                                   // invalid UTF-8
  EXPECT_EQ(Utf8ToGbk("x\xF0\x9F\x98\x80y"), "x\x94\x39\xFC\x36y");  // GB18030
  EXPECT_EQ(GbkToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(EncodingTest, DetectsUtf8OnlyWithValidMultiByteText) {
  struct Case {
    const char* name;
    std::string bytes;
    TextEncoding expected;
  };
  const std::vector<Case> cases = {
      {"plain ASCII", "abc\x1F" "a123", TextEncoding::kGbk},
      {"UTF-8 Chinese", "\xE4\xB8\xAD\xE6\x96\x87", TextEncoding::kUtf8},
      {"GBK Chinese", "\xD6\xD0\xCE\xC4", TextEncoding::kGbk},
      {"UTF-8 cut off at the end", "\xE4\xB8\xAD\xE6\x96", TextEncoding::kGbk},
      {"overlong form", "a\xC0\xAF", TextEncoding::kGbk},
      {"encoded surrogate", "\xED\xA0\x80", TextEncoding::kGbk},
      {"four-byte character", "\xF0\x9F\x98\x80", TextEncoding::kUtf8},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DetectEncoding(c.bytes), c.expected) << c.name;
  }
}

TEST(EncodingTest, DecodesEachTextByItsEncoding) {
  EXPECT_EQ(DecodeForDisplay("\xD6\xD0\xCE\xC4"), "中文");
  EXPECT_EQ(DecodeForDisplay("\xE4\xB8\xAD\xE6\x96\x87"), "中文");
  // GB18030 four-byte sequences are read, not replaced.
  EXPECT_EQ(DecodeForDisplay("\x94\x39\xFC\x36"), "😀");
  EXPECT_EQ(DecodeForDisplay("\xE4\xB8\xAD\xFF", TextEncoding::kUtf8),
            "中\xEF\xBF\xBD");
}

TEST(EncodingTest, StrictTranscodingRefusesBadBytesAndWidensOnlyWhereNeeded) {
  EXPECT_EQ(StrictGbkToUtf8("\xD6\xD0x"), "中x");
  EXPECT_EQ(StrictGbkToUtf8("\xD6\xD0\xD6"), std::nullopt);  // cut character
  EXPECT_EQ(StrictGbkToUtf8("a\xFF"), std::nullopt);
  EXPECT_EQ(StrictUtf8ToGbk("中■😀"), "\xD6\xD0\xA1\xF6\x94\x39\xFC\x36");
  EXPECT_EQ(StrictUtf8ToGbk("a\xE4\xB8"), std::nullopt);
}

}  // namespace
}  // namespace veltrane
