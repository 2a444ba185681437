// The conversion ranges of the ISBN column conversion and the code found at
// a position of a text line.
#include "ops/isbn_range.h"

#include <gtest/gtest.h>

#include "ops/isbn_text_conversion.h"
#include "util/encoding.h"

namespace veltrane {
namespace {

struct RangeCase {
  IsbnFormat format;
  int range;
  const char* code;
  const char* expected;
};

TEST(IsbnRangeTest, RangesSelectTheCodesTheyName) {
  const RangeCase cases[] = {
      // Hyphens for short forms only: 13 characters are left alone.
      {IsbnFormat::ifShortHyphen, 1, "7500637721", "7-5006-3772-1"},
      {IsbnFormat::ifShortHyphen, 1, "75006375", "7500-6375"},
      {IsbnFormat::ifShortHyphen, 1, "7-5006-3772-1", "7-5006-3772-1"},
      {IsbnFormat::ifShortHyphen, 1, "9787500637721", "9787500637721"},
      {IsbnFormat::ifShortHyphen, 0, "9787500637721", "7-5006-3772-1"},
      // Short forms without hyphens: barcodes are left alone.
      {IsbnFormat::ifShortPlain, 1, "7-5006-3772-1", "7500637721"},
      {IsbnFormat::ifShortPlain, 1, "978-7-5006-3772-1", "978-7-5006-3772-1"},
      // Barcodes: range 1 takes barcodes, range 2 the short forms.
      {IsbnFormat::ifEan13, 1, "978-7-5006-3772-1", "9787500637721"},
      {IsbnFormat::ifEan13, 1, "7-5006-3772-1", "7-5006-3772-1"},
      {IsbnFormat::ifEan13, 2, "7-5006-3772-1", "9787500637721"},
      {IsbnFormat::ifEan13, 2, "978-7-5006-3772-1", "978-7-5006-3772-1"},
      {IsbnFormat::ifEan13Hyphen, 1, "9787500637721", "978-7-5006-3772-1"},
      {IsbnFormat::ifEan13Hyphen, 1, "7500637721", "7500637721"},
      // An item the format does not offer converts nothing.
      {IsbnFormat::ifEan13Hyphen, 2, "9787500637721", "9787500637721"},
      // A cell with more than the code is not a code.
      {IsbnFormat::ifEan13, 0, "ISBN 7500637721", "ISBN 7500637721"},
  };
  for (const RangeCase& c : cases) {
    EXPECT_EQ(ConvertIsbnInRange(c.code, c.format, c.range, false), c.expected)
        << c.code << " format " << static_cast<int>(c.format) << " range "
        << c.range;
  }
  EXPECT_EQ(IsbnRangeCaptions(IsbnFormat::ifEan13).size(), 3u);
}

TEST(IsbnRangeTest, LineCodeIsConvertedInPlace) {
  const IsbnFormat f = IsbnFormat::ifEan13;
  const std::string title = Utf8ToGbk("书名");  // 4 bytes in a GBK file
  EXPECT_EQ(ConvertLineCode(title + "7-5006-3772-1 x", 5, f, 0, false),
            title + "9787500637721 x");
  EXPECT_EQ(ConvertLineCode("0001", 5, f, 0, false), "0001");
  EXPECT_EQ(ConvertLineCode("0001 书名", 5, f, 0, false), "0001 书名");
  EXPECT_EQ(ConvertLineCode("7500637721", 1, f, 0, false), "9787500637721");
  EXPECT_EQ(ConvertLineCode("", 1, f, 0, false), "");
}

}  // namespace
}  // namespace veltrane
