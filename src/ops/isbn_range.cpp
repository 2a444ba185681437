#include "ops/isbn_range.h"

#include <array>

namespace veltrane {
namespace {

bool IsBarcodePrefix(std::string_view code) {
  return code.starts_with("978") || code.starts_with("977");
}

size_t CharacterCount(std::string_view text) {
  size_t count = 0;
  for (char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

}  // namespace

const std::vector<std::string>& IsbnRangeCaptions(IsbnFormat format) {
  static const std::array<std::vector<std::string>, 4> kCaptions = {{
      {"全部转换",
       "只将ISBN/ISSN(10位/8位)加上\"-\"号，不包括13位的条码"},
      {"全部转换",
       "只将带\"-\"号的ISBN/ISSN(10位/8位)去掉\"-\"号，不包括13位的条码"},
      {"全部转换", "只将带\"-\"号的13位条码,去掉\"-\"号",
       "只将ISBN/ISSN(10位/8位)转为13位的不带\"-\"号条码"},
      {"全部转换", "只将13位的条码加上\"-\"号"},
  }};
  return kCaptions[static_cast<size_t>(format)];
}

bool IsbnInRange(std::string_view code, IsbnFormat format, int range) {
  if (range == 0) return true;
  switch (format) {
    case IsbnFormat::ifShortHyphen: {
      const size_t length = CharacterCount(code);
      return range == 1 && (length == 8 || length == 10);
    }
    case IsbnFormat::ifShortPlain:
      return range == 1 && !IsBarcodePrefix(code);
    case IsbnFormat::ifEan13:
      return (range == 1 && IsBarcodePrefix(code)) ||
             (range == 2 && !IsBarcodePrefix(code));
    case IsbnFormat::ifEan13Hyphen:
      return range == 1 && IsBarcodePrefix(code);
  }
  return false;
}

std::string ConvertIsbnInRange(std::string_view code, IsbnFormat format,
                               int range, bool force) {
  if (!IsbnInRange(code, format, range)) return std::string(code);
  return ConvertIsbn(code, format, force);
}

}  // namespace veltrane
