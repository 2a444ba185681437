#include "ops/row_record.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "isbn/hyphenation.h"
#include "util/encoding.h"
#include "util/text.h"

namespace veltrane {
namespace {

std::string Mark(std::string_view code) {
  return std::string(kSubfieldMark) + std::string(code);
}

std::string FormatTime(const std::tm& time, const char* format) {
  char text[32];
  std::strftime(text, sizeof text, format, &time);
  return text;
}

void AddDefault(TMarcRecord& record, std::string_view tag,
                std::string_view indicator, const std::string& data) {
  if (record.GetValue(tag).empty()) record.AddValue(tag, indicator, data);
}

}  // namespace

RecordClock::RecordClock(std::time_t now) {
  std::tm local{};
  localtime_r(&now, &local);
  year = FormatTime(local, "%Y");
  date = FormatTime(local, "%Y%m%d");
  stamp = FormatTime(local, "%Y%m%d%H%M%S") + ".0";
}

std::string PriceValue(std::string_view value) {
  double number = 0;
  const char* end = value.data() + value.size();
  auto [stop, error] = std::from_chars(value.data(), end, number);
  if (error != std::errc() || stop != end || !std::isfinite(number) ||
      number <= 0) {
    return std::string(value);
  }
  char text[64];
  std::snprintf(text, sizeof text, "CNY%.2f", number);
  return text;
}

TMarcRecord BuildRowRecord(
    const std::function<std::string_view(size_t column)>& cell,
    const std::vector<MappedColumn>& columns, int64_t sequence,
    std::string_view institution, const RecordClock& clock) {
  TMarcRecord record;
  record.AddValue("", "", "00000nam0 2200000  450  ");
  std::string year = "    ";
  for (const MappedColumn& mapped : columns) {
    std::string value = Utf8ToGbk(Trim(cell(mapped.column)));
    if (mapped.spec == "210d") {
      // Field 100 holds the year at fixed positions: a shorter value is
      // padded so that the positions after it stay where they belong.
      year = value.substr(0, 4);
      year.resize(4, ' ');
    } else if (mapped.spec == "010a") {
      value = AddIsbnHyphens(value);
    } else if (mapped.spec == "010d") {
      value = PriceValue(value);
    }
    record.AddValue(mapped.spec, "", value);
  }
  AddDefault(record, "001", "", "01" + clock.year + ZeroPadded(sequence, 6));
  AddDefault(record, "005", "", clock.stamp);
  AddDefault(record, "100", "",
             Mark("a") + clock.date + "d" + year + "    ekmy0chiy0110    ea");
  AddDefault(record, "101", "0", Mark("a") + "chi");
  AddDefault(record, "102", "", Mark("a") + "CN");
  AddDefault(record, "105", "", Mark("a") + "a   z   000yy");
  AddDefault(record, "106", "", Mark("a") + "r");
  AddDefault(record, "801", " 0",
             Mark("a") + "CN" + Mark("b") + Utf8ToGbk(institution) +
                 Mark("c") + clock.date);
  return record;
}

}  // namespace veltrane
