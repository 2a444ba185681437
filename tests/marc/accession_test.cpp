#include "marc/accession.h"

#include <gtest/gtest.h>

namespace veltrane {
namespace {

TEST(AccessionTest, JoinRange) {
  EXPECT_EQ(JoinRange("A00124", "A00126"), "A00124-26");
  EXPECT_EQ(JoinRange("A00199", "A00200"), "A00199-0200");
  EXPECT_EQ(JoinRange("A00128", "A00128"), "A00128");
  EXPECT_EQ(JoinRange("9", "10"), "9-10");
}

TEST(AccessionTest, NextAccessionRange) {
  struct Case {
    const char* counter;
    const char* copies;
    bool first;
    const char* expected;
  } cases[] = {
      {"A00124", "3", false, "A00125-27"},
      {"A00124", "3", true, "A00124-26"},
      {"A00125-27", "1", false, "A00128"},
      {"A00125-27", "", false, "A00128"},
      {"A00125-27", "0", false, "A00128"},
      {"A00125-27", "x", false, "A00128"},
      {"A00124", "", true, "A00124"},
      {"A99", "2", false, "A100-01"},        // outgrows its width
      {"L0001-03", "2", false, "L0004-05"},  // abbreviated end restored
      {"X", "2", false, "X1-X2"},            // no digit run: plain numbers
      {"123", "1", false, "124"},
      {"", "3", false, ""},
      {"B99999999999999999999", "1", false, "B100000000000000000000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.counter) + " / " + c.copies);
    EXPECT_EQ(NextAccessionRange(c.counter, c.copies, c.first), c.expected);
  }
}

TEST(AccessionTest, RangeMember) {
  EXPECT_EQ(RangeMember("A00125-27", 1), "A00125");
  EXPECT_EQ(RangeMember("A00125-27", 2), "A00126");
  EXPECT_EQ(RangeMember("A00125-27", 5), "A00129");  // end not checked
  EXPECT_EQ(RangeMember("A00125", 3), "A00127");
}

}  // namespace
}  // namespace veltrane
