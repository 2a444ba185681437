#include "sheet/cell_text.h"

#include <gtest/gtest.h>

namespace veltrane {
namespace {

TEST(CellTextTest, NumbersInGeneralForm) {
  struct Case {
    double value;
    const char* text;
  };
  for (const Case& c : std::vector<Case>{
           {9787500637721.0, "9787500637721"},
           {123456789012345.0, "123456789012345"},
           {0.1, "0.1"},
           {-2.5, "-2.5"},
           {-0.0, "0"},
           {12.0, "12"},
           {1e20, "1E+20"},
           {123456789012345678.0, "1.23456789012346E+17"},
           {0.00001, "1E-05"},
           {0.0001, "0.0001"},
       }) {
    EXPECT_EQ(FormatNumber(c.value), c.text) << c.text;
  }
}

TEST(CellTextTest, FormatCodesAndBuiltins) {
  struct Case {
    const char* code;
    NumberKind kind;
  };
  for (const Case& c : std::vector<Case>{
           {"General", NumberKind::kNumber},
           {"0.00E+00", NumberKind::kNumber},
           {"#,##0.00;[Red]-#,##0.00", NumberKind::kNumber},
           {"\"day\"0", NumberKind::kNumber},
           {"yyyy-mm-dd", NumberKind::kDate},
           {"[$-804]yyyy\"年\"m\"月\"d\"日\"", NumberKind::kDate},
           {"m/d/yy h:mm", NumberKind::kDate},
           {"mmm", NumberKind::kDate},
           {"h:mm", NumberKind::kTime},
           {"mm:ss", NumberKind::kTime},
           {"[h]:mm", NumberKind::kTime},
       }) {
    EXPECT_EQ(KindOfFormatCode(c.code), c.kind) << c.code;
  }
  EXPECT_EQ(KindOfBuiltinFormat(0), NumberKind::kNumber);
  EXPECT_EQ(KindOfBuiltinFormat(14), NumberKind::kDate);
  EXPECT_EQ(KindOfBuiltinFormat(31), NumberKind::kDate);
  EXPECT_EQ(KindOfBuiltinFormat(20), NumberKind::kTime);
}

TEST(CellTextTest, DateSerials) {
  EXPECT_EQ(FormatCellNumber(1, NumberKind::kDate, false), "1900-01-01");
  EXPECT_EQ(FormatCellNumber(59, NumberKind::kDate, false), "1900-02-28");
  EXPECT_EQ(FormatCellNumber(60, NumberKind::kDate, false), "1900-02-29");
  EXPECT_EQ(FormatCellNumber(61, NumberKind::kDate, false), "1900-03-01");
  EXPECT_EQ(FormatCellNumber(45000.75, NumberKind::kDate, false), "2023-03-15");
  EXPECT_EQ(FormatCellNumber(0, NumberKind::kDate, true), "1904-01-01");
  EXPECT_EQ(FormatCellNumber(0.5, NumberKind::kTime, false), "12:00:00");
  EXPECT_EQ(FormatCellNumber(-3, NumberKind::kDate, false), "-3");
  EXPECT_EQ(FormatCellNumber(12.5, NumberKind::kNumber, false), "12.5");
}

}  // namespace
}  // namespace veltrane
