#include "isbn/convert.h"

#include <algorithm>
#include <iterator>

#include "isbn/check_digit.h"
#include "isbn/hyphenation.h"
#include "util/text.h"

namespace veltrane {
namespace {

bool IsCodeChar(char c) { return IsAsciiDigit(c) || c == 'X' || c == 'x'; }

bool IsAcceptedLength(size_t length, bool force) {
  switch (length) {
    case 8:
    case 10:
    case 13:
      return true;
    case 7:
    case 9:
    case 12:
      return force;
    default:
      return false;
  }
}

// Every character that carries a weight is a digit; only the check character
// of an ISSN or ISBN-10 may be something else.
bool HasReadableDigits(std::string_view s) {
  const size_t weighted = s.size() == 13 ? s.size() : s.size() - 1;
  return std::all_of(s.begin(), s.begin() + weighted, IsAsciiDigit);
}

// The check digit that completes a code cut short by one character; empty for
// other lengths or unreadable digits.
std::string CompletingCheckDigit(std::string_view s) {
  switch (s.size()) {
    case 7:
      return IssnCheckDigit(s);
    case 9:
      return Isbn10CheckDigit(s);
    case 12:
      return Ean13CheckDigit(s);
    default:
      return {};
  }
}

// The check digit that a whole code of 8, 10 or 13 characters should end in.
std::string ComputedCheckDigit(std::string_view s) {
  switch (s.size()) {
    case 8:
      return IssnCheckDigit(s);
    case 10:
      return Isbn10CheckDigit(s);
    default:
      return Ean13CheckDigit(s);
  }
}

// "978-" + the hyphenated ISBN-10 with the EAN check digit in place of its own.
std::string Ean13HyphenForm(std::string_view isbn10) {
  std::string hyphenated = HyphenateIsbn10(isbn10);
  hyphenated.resize(hyphenated.size() - 2);  // the final "-" and check digit
  const std::string ean = "978" + std::string(isbn10.substr(0, 9));
  return "978-" + hyphenated + '-' + Ean13CheckDigit(ean);
}

// An ISBN-10 (s has 10 characters) in `format`.
std::string FromIsbn10(const std::string& s, IsbnFormat format) {
  switch (format) {
    case IsbnFormat::ifShortHyphen:
      return HyphenateIsbn10(s);
    case IsbnFormat::ifShortPlain:
      return s;
    case IsbnFormat::ifEan13: {
      const std::string ean = "978" + s.substr(0, 9);
      return ean + Ean13CheckDigit(ean);
    }
    case IsbnFormat::ifEan13Hyphen:
      return Ean13HyphenForm(s);
  }
  return s;
}

// An ISSN (s has 8 characters) in `format`.
std::string FromIssn(const std::string& s, IsbnFormat format) {
  switch (format) {
    case IsbnFormat::ifShortHyphen:
      return s.substr(0, 4) + '-' + s.substr(4);
    case IsbnFormat::ifShortPlain:
      return s;
    case IsbnFormat::ifEan13:
    case IsbnFormat::ifEan13Hyphen: {
      const std::string ean = "977" + s.substr(0, 7) + "00";
      return ean + Ean13CheckDigit(ean);
    }
  }
  return s;
}

// A 13-digit barcode in `format`; `unchanged` where it has no such form.
std::string FromBarcode(const std::string& s, IsbnFormat format,
                        std::string_view unchanged) {
  if (format == IsbnFormat::ifEan13) return s;
  if (s.starts_with("978")) {
    const std::string digits = s.substr(3, 9);
    return FromIsbn10(digits + Isbn10CheckDigit(digits), format);
  }
  if (s.starts_with("977")) {
    if (format == IsbnFormat::ifEan13Hyphen) return s;
    const std::string digits = s.substr(3, 7);
    return FromIssn(digits + IssnCheckDigit(digits), format);
  }
  return std::string(unchanged);
}

}  // namespace

std::string ConvertIsbn(std::string_view code, IsbnFormat format, bool force) {
  const std::string unchanged(code);
  if (!std::all_of(code.begin(), code.end(),
                   [](char c) { return IsCodeChar(c) || c == '-'; })) {
    return unchanged;
  }
  std::string s = RemoveByte(code, '-');
  if (!IsAcceptedLength(s.size(), force)) return unchanged;
  if (force) s += CompletingCheckDigit(s);
  // A failed completion leaves a length that is no code at all.
  if (!IsAcceptedLength(s.size(), false) || !HasReadableDigits(s)) {
    return unchanged;
  }
  if (!force && ComputedCheckDigit(s) != s.substr(s.size() - 1)) {
    return unchanged;
  }
  switch (s.size()) {
    case 8:
      return FromIssn(s, format);
    case 10:
      return FromIsbn10(s, format);
    default:
      return FromBarcode(s, format, unchanged);
  }
}

std::string IsbnMatchKey(std::string_view code) {
  std::string key;
  std::copy_if(code.begin(), code.end(), std::back_inserter(key), IsCodeChar);
  if (key.size() != 8 && key.size() != 10 && key.size() != 13) {
    return std::string(code);
  }
  key.pop_back();
  if (key.starts_with("978")) key = key.substr(3, 9);
  if (key.starts_with("977")) key = key.substr(3, 7);
  return key;
}

}  // namespace veltrane
