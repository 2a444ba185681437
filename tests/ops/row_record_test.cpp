// The record built from one workbook row.
#include "ops/row_record.h"

#include <gtest/gtest.h>

#include <map>

#include "util/encoding.h"

namespace veltrane {
namespace {

constexpr char kMark[] = "\x1F";  // GetValue shows delimiters as 0x1F

std::time_t March5th2024() {
  std::tm time{};
  time.tm_year = 124;
  time.tm_mon = 2;
  time.tm_mday = 5;
  time.tm_hour = 10;
  time.tm_isdst = -1;
  return std::mktime(&time);
}

TMarcRecord Build(const std::map<size_t, std::string>& cells,
                  const std::vector<MappedColumn>& columns,
                  int64_t sequence = 1) {
  return BuildRowRecord(
      [&](size_t column) -> std::string_view {
        auto found = cells.find(column);
        return found == cells.end() ? std::string_view() : found->second;
      },
      columns, sequence, "图书馆", RecordClock(March5th2024()));
}

std::string Tags(const TMarcRecord& record) {
  std::string tags;
  for (const TMarcFieldClass& field : record.Fields()) tags += field.Tag + " ";
  return tags;
}

TEST(RowRecordTest, MappedCellsAndDefaultFields) {
  TMarcRecord record = Build({{0, "7500637721"}, {1, " 书名 "}, {2, "25"}},
                             {{0, "010a"}, {1, "200a"}, {2, "010d"}}, 7);
  EXPECT_EQ(Tags(record), " 001 005 010 100 101 102 105 106 200 801 ");
  const std::string m = kMark;
  EXPECT_EQ(record.GetValue("001"), "012024000007");
  EXPECT_EQ(record.GetValue("005"), "20240305100000.0");
  EXPECT_EQ(record.GetValue("010"), m + "a7-5006-3772-1" + m + "dCNY25.00");
  EXPECT_EQ(record.GetValue("200a"), Utf8ToGbk("书名"));
  EXPECT_EQ(record.GetValue("100"),
            m + "a20240305d        ekmy0chiy0110    ea");
  EXPECT_EQ(record.Fields()[5].Indicator, "0");  // 101
  EXPECT_EQ(record.GetValue("801"), m + "aCN" + m + "b" +
                                        Utf8ToGbk("图书馆") + m +
                                        "c20240305");
  EXPECT_EQ(record.Fields()[0].Data, "00000nam0 2200000  450  ");
}

TEST(RowRecordTest, PublicationYearFromTheLast210d) {
  auto year_of = [](const std::string& cell) {
    return Build({{0, "1999"}, {1, cell}}, {{0, "210d"}, {1, "210d"}})
        .GetValue("100")
        .substr(11, 4);
  };
  EXPECT_EQ(year_of("2005.3"), "2005");
  EXPECT_EQ(year_of("05"), "05  ");  // padded: the positions after it hold
  EXPECT_EQ(year_of(""), "    ");
}

TEST(RowRecordTest, PricesAndIsbns) {
  const std::pair<const char*, const char*> prices[] = {
      {"25", "CNY25.00"}, {"25元", "25元"}, {"0", "0"},
      {"12.345", "CNY12.35"}, {"-3", "-3"}, {"inf", "inf"}, {"", ""}};
  for (const auto& [cell, value] : prices) {
    EXPECT_EQ(PriceValue(cell), value) << cell;
  }
  EXPECT_EQ(Build({{0, "9787500637721"}}, {{0, "010a"}}).GetValue("010a"),
            "9787500637721");
}

// A mapped field that has a value keeps the default out; an empty mapped
// field does not, except where the subfield mark alone fills it.
TEST(RowRecordTest, MappedFieldsSuppressDefaults) {
  TMarcRecord with_001 = Build({{0, "X1"}}, {{0, "001"}});
  EXPECT_EQ(with_001.GetValue("001"), "X1");
  TMarcRecord empty_001 = Build({}, {{0, "001"}});
  EXPECT_EQ(Tags(empty_001).find("001 001"), 1u);
  TMarcRecord empty_100a = Build({}, {{0, "100a"}});
  EXPECT_EQ(empty_100a.GetValue("100"), std::string(kMark) + "a");
}

}  // namespace
}  // namespace veltrane
