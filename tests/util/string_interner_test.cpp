#include "util/string_interner.h"

#include <gtest/gtest.h>

#include <string>

namespace veltrane {
namespace {

TEST(StringInternerTest, NumbersDistinctStringsInOrderOfFirstAppearance) {
  StringInterner interner;
  EXPECT_EQ(interner.Find(""), std::nullopt);
  EXPECT_EQ(interner.Intern("200a,A"), 0u);
  EXPECT_EQ(interner.Intern(""), 1u);
  EXPECT_EQ(interner.Intern(std::string("a\0b", 3)), 2u);
  EXPECT_EQ(interner.Intern("200a,A"), 0u);
  EXPECT_EQ(interner.Find(""), 1u);
  EXPECT_EQ(interner.Find("a"), std::nullopt);
  EXPECT_EQ(interner.size(), 3u);
}

TEST(StringInternerTest, KeepsEveryStringAcrossGrowth) {
  StringInterner interner;
  constexpr uint32_t kCount = 50000;
  for (uint32_t i = 0; i < kCount; ++i) {
    ASSERT_EQ(interner.Intern("v" + std::to_string(i)), i);
  }
  for (uint32_t i = 0; i < kCount; ++i) {
    ASSERT_EQ(interner.Find("v" + std::to_string(i)), i);
    ASSERT_EQ(interner.Intern("v" + std::to_string(i)), i);
  }
  EXPECT_EQ(interner.Find("v" + std::to_string(kCount)), std::nullopt);
  EXPECT_EQ(interner.size(), kCount);
}

}  // namespace
}  // namespace veltrane
