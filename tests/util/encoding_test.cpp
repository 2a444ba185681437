#include "util/encoding.h"

#include <gtest/gtest.h>

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
  EXPECT_EQ(Utf8ToGbk("x\xF0\x9F\x98\x80y"), "x?y");  // no GBK form
  EXPECT_EQ(GbkToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

}  // namespace
}  // namespace veltrane
