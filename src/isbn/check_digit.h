// Check characters of ISBN-10, ISSN and EAN-13 codes.
//
// Each function reads the leading characters that carry a weight and returns
// the check character as a one-character string. A text that is too short or
// holds anything but "0"-"9" where a digit is read gives an empty string.
#ifndef VELTRANE_ISBN_CHECK_DIGIT_H_
#define VELTRANE_ISBN_CHECK_DIGIT_H_

#include <string>
#include <string_view>

namespace veltrane {

// Mod-11 check of characters 1-9 (weights 10..2): "0"-"9" or "X".
// Characters after the ninth are ignored.
std::string Isbn10CheckDigit(std::string_view digits);

// Mod-11 check of characters 1-7 (weights 8..2): "0"-"9" or "X".
// Characters after the seventh are ignored.
std::string IssnCheckDigit(std::string_view digits);

// Mod-10 check of characters 1-12 (weights 1,3,1,...): "0"-"9".
// Every character of `digits` must be a digit, also any beyond the twelfth.
std::string Ean13CheckDigit(std::string_view digits);

}  // namespace veltrane

#endif  // VELTRANE_ISBN_CHECK_DIGIT_H_
