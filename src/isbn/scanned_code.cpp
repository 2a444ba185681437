#include "isbn/scanned_code.h"

#include "isbn/check_digit.h"
#include "util/text.h"

namespace veltrane {

ScannedCode RecogniseScannedCode(std::string_view code) {
  const std::string s = RemoveByte(code, '-');
  const std::string_view text = s;
  std::string_view digits;  // the weighted digits of the short form
  std::string check;        // stays empty for no code or unreadable digits
  if (s.size() == 8) {
    digits = text.substr(0, 7);
    check = IssnCheckDigit(digits);
  } else if (s.size() == 10) {
    digits = text.substr(0, 9);
    check = Isbn10CheckDigit(digits);
  } else if (s.size() == 13 && s.starts_with("978")) {
    digits = text.substr(3, 9);
    check = Isbn10CheckDigit(digits);
  } else if (s.size() == 13 && s.starts_with("977")) {
    digits = text.substr(3, 7);
    check = IssnCheckDigit(digits);
  }
  if (check.empty()) return {s, false};

  ScannedCode result{std::string(digits) + check, true};
  if (s.size() == 8) {
    result.Valid = s[7] == check[0];  // an ISSN's check must match exactly
  } else if (s.size() == 10) {
    result.Valid = (s[9] == 'x' ? 'X' : s[9]) == check[0];
  }
  return result;
}

}  // namespace veltrane
