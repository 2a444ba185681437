// Small byte-string helpers shared by the core.
//
// "Blank" follows the classic Pascal trimming rule: every byte up to and
// including 0x20 (spaces and control bytes) counts as blank.
#ifndef VELTRANE_UTIL_TEXT_H_
#define VELTRANE_UTIL_TEXT_H_

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace veltrane {

inline bool IsBlankByte(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}
inline bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// Removes leading and/or trailing bytes up to 0x20.
std::string_view Trim(std::string_view s);
std::string_view TrimLeft(std::string_view s);
std::string_view TrimRight(std::string_view s);

// Reads a whole string as a decimal integer: optional leading blanks, an
// optional sign, then digits only. Anything else (also the empty string or an
// overflow) gives nullopt.
std::optional<int64_t> ParseInteger(std::string_view s);

// True when `n` fits a 32-bit int, the range of copy counts and quantities.
inline bool FitsInt(int64_t n) {
  return n >= std::numeric_limits<int>::min() &&
         n <= std::numeric_limits<int>::max();
}

// `value` in decimal, zero-padded on the left to at least `width` digits.
std::string ZeroPadded(uint64_t value, size_t width);

// `s` with every occurrence of `from` (not empty) replaced by `to`.
std::string ReplaceAll(std::string_view s, std::string_view from,
                       std::string_view to);

// `s` without any byte equal to `c`.
std::string RemoveByte(std::string_view s, char c);

// `s` made safe for one field of a TSV line or a one-line answer: TAB, LF,
// CR and backslash become \t, \n, \r and \\, every other control byte
// (below 0x20, and 0x7F) becomes \xHH (upper-case hex). Bytes from 0x80 on
// pass unchanged, so apply it to UTF-8 text (a GBK trail byte can be a
// backslash).
std::string EscapeControls(std::string_view s);

// The same for text shown on a terminal: every line escaped, the LF line
// breaks kept.
std::string EscapeControlsKeepingLines(std::string_view s);

}  // namespace veltrane

#endif  // VELTRANE_UTIL_TEXT_H_
