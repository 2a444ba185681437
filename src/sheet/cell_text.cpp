#include "sheet/cell_text.h"

#include <cmath>
#include <cstdio>

namespace veltrane {
namespace {

struct CivilDate {
  int year;
  unsigned month, day;
};

// Days since 1970-01-01 to a proleptic Gregorian date.
CivilDate CivilFromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<int>(y + (m <= 2)), m, d};
}

constexpr long long kDays1899_12_31 = -25568;  // days from 1970-01-01
constexpr long long kDays1904_01_01 = -24107;

std::string TimeOfDay(double value) {
  double fraction = value - std::floor(value);
  long seconds = std::lround(fraction * 86400.0) % 86400;
  char text[16];
  std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", seconds / 3600,
                seconds / 60 % 60, seconds % 60);
  return text;
}

}  // namespace

std::string FormatNumber(double value) {
  if (!std::isfinite(value)) return "#NUM!";
  if (value == 0) return "0";
  char text[40];
  std::snprintf(text, sizeof text, "%.15G", value);
  return text;
}

NumberKind KindOfBuiltinFormat(int id) {
  if ((id >= 14 && id <= 17) || id == 22 || (id >= 27 && id <= 36) ||
      (id >= 50 && id <= 58)) {
    return NumberKind::kDate;
  }
  if ((id >= 18 && id <= 21) || (id >= 45 && id <= 47)) return NumberKind::kTime;
  return NumberKind::kNumber;
}

NumberKind KindOfFormatCode(std::string_view code) {
  bool date = false, time = false;
  for (size_t i = 0; i < code.size(); ++i) {
    char c = code[i];
    if (c == '"') {
      size_t end = code.find('"', i + 1);
      if (end == std::string_view::npos) break;
      i = end;
    } else if (c == '\\' || c == '_' || c == '*') {
      ++i;  // the next character is literal (or padding)
    } else if (c == '[') {
      size_t end = code.find(']', i + 1);
      if (end == std::string_view::npos) break;
      std::string_view inside = code.substr(i + 1, end - i - 1);
      if (!inside.empty() && (inside[0] == 'h' || inside[0] == 'H' ||
                              inside[0] == 'm' || inside[0] == 'M' ||
                              inside[0] == 's' || inside[0] == 'S')) {
        time = true;
      }
      i = end;
    } else if (c == ';') {
      break;  // the first section decides
    } else {
      switch (c) {
        case 'y': case 'Y': case 'd': case 'D':
          date = true;
          break;
        case 'h': case 'H': case 's': case 'S':
          time = true;
          break;
        case 'm': case 'M':
          if (!time) date = true;  // month unless it follows hours
          break;
        default:
          break;
      }
    }
  }
  if (date && code.find_first_of("yYdD") == std::string_view::npos &&
      time) {
    date = false;  // "h:mm" and "mm:ss" are times
  }
  if (date) return NumberKind::kDate;
  if (time) return NumberKind::kTime;
  return NumberKind::kNumber;
}

std::string FormatCellNumber(double value, NumberKind kind, bool date1904) {
  if (kind == NumberKind::kNumber || !std::isfinite(value) || value < 0 ||
      value >= 2958466) {
    return FormatNumber(value);
  }
  if (kind == NumberKind::kTime) return TimeOfDay(value);
  long long serial = static_cast<long long>(std::floor(value));
  CivilDate date;
  if (date1904) {
    date = CivilFromDays(kDays1904_01_01 + serial);
  } else if (serial == 60) {
    date = {1900, 2, 29};  // the 1900 system's day that never was
  } else {
    date = CivilFromDays(kDays1899_12_31 + serial - (serial > 60 ? 1 : 0));
  }
  if (date.year < 1900 || date.year > 9999) return FormatNumber(value);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", date.year, date.month,
                date.day);
  return text;
}

}  // namespace veltrane
