#include "isbn/check_digit.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace veltrane {
namespace {

struct CheckCase {
  std::string_view digits;
  std::string_view expected;
};

TEST(CheckDigitTest, Isbn10CoversEveryCheckValue) {
  const CheckCase cases[] = {
      {"750063772", "1"},  {"750063708", "X"},  // check value 10
      {"000000000", "0"},                       // check value 11
      {"030640615", "2"},  {"999007500", "X"},
      {"7500637721", "1"},  // a tenth character is ignored
      {"750063772Q", "1"},
  };
  for (const CheckCase& c : cases) {
    SCOPED_TRACE(c.digits);
    EXPECT_EQ(Isbn10CheckDigit(c.digits), c.expected);
  }
}

TEST(CheckDigitTest, IssnCoversEveryCheckValue) {
  const CheckCase cases[] = {
      {"7500637", "5"},  {"7500609", "X"},  {"2049363", "0"},
      {"0317847", "1"},  {"75006375", "5"},  // an eighth character is ignored
      {"7500609x", "X"},
  };
  for (const CheckCase& c : cases) {
    SCOPED_TRACE(c.digits);
    EXPECT_EQ(IssnCheckDigit(c.digits), c.expected);
  }
}

TEST(CheckDigitTest, Ean13WeighsOddAndEvenPositions) {
  const CheckCase cases[] = {
      {"978750063772", "1"},  {"977750063700", "5"}, {"977750060900", "2"},
      {"978030640615", "7"},  {"000000000000", "0"},  // remainder 0
      {"9787500637729", "1"},  // the thirteenth digit does not enter the sum
  };
  for (const CheckCase& c : cases) {
    SCOPED_TRACE(c.digits);
    EXPECT_EQ(Ean13CheckDigit(c.digits), c.expected);
  }
}

TEST(CheckDigitTest, UnreadableDigitsGiveEmptyResult) {
  EXPECT_EQ(Isbn10CheckDigit(""), "");
  EXPECT_EQ(Isbn10CheckDigit("75006377"), "");
  EXPECT_EQ(Isbn10CheckDigit("X50063772"), "");
  EXPECT_EQ(Isbn10CheckDigit("75006377x"), "");
  EXPECT_EQ(Isbn10CheckDigit("7500 6377"), "");
  EXPECT_EQ(IssnCheckDigit("750063"), "");
  EXPECT_EQ(IssnCheckDigit("750060X"), "");
  EXPECT_EQ(IssnCheckDigit("ABCDEFGH"), "");
  EXPECT_EQ(Ean13CheckDigit("97875006377"), "");
  EXPECT_EQ(Ean13CheckDigit("97875006377X"), "");
  // Every character is read, also one after the twelfth.
  EXPECT_EQ(Ean13CheckDigit("978750063772X"), "");
  EXPECT_EQ(Ean13CheckDigit("978750063772-"), "");
}

}  // namespace
}  // namespace veltrane
