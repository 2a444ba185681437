#include "isbn/check_digit.h"

#include <algorithm>

#include "util/text.h"

namespace veltrane {
namespace {

// Weights run from count + 1 down to 2 over the first `count` characters.
std::string Mod11CheckDigit(std::string_view digits, size_t count) {
  if (digits.size() < count) return {};
  int sum = 0;
  for (size_t i = 0; i < count; ++i) {
    if (!IsAsciiDigit(digits[i])) return {};
    sum += static_cast<int>(count + 1 - i) * (digits[i] - '0');
  }
  const int check = 11 - sum % 11;
  if (check == 11) return "0";
  if (check == 10) return "X";
  return std::string(1, static_cast<char>('0' + check));
}

}  // namespace

std::string Isbn10CheckDigit(std::string_view digits) {
  return Mod11CheckDigit(digits, 9);
}

std::string IssnCheckDigit(std::string_view digits) {
  return Mod11CheckDigit(digits, 7);
}

std::string Ean13CheckDigit(std::string_view digits) {
  if (digits.size() < 12 ||
      !std::all_of(digits.begin(), digits.end(), IsAsciiDigit)) {
    return {};
  }
  int sum = 0;
  for (size_t i = 0; i < 12; ++i) {
    sum += (i % 2 == 0 ? 1 : 3) * (digits[i] - '0');
  }
  const int rest = sum % 10;
  return std::string(1, static_cast<char>('0' + (rest == 0 ? 0 : 10 - rest)));
}

}  // namespace veltrane
