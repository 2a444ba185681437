#include "util/text.h"

#include <charconv>

namespace veltrane {

std::string_view TrimLeft(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && IsBlankByte(s[i])) ++i;
  return s.substr(i);
}

std::string_view TrimRight(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && IsBlankByte(s[n - 1])) --n;
  return s.substr(0, n);
}

std::string_view Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

std::optional<int64_t> ParseInteger(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  s.remove_prefix(i);
  bool negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  if (s.empty()) return std::nullopt;
  uint64_t magnitude = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  if (magnitude > static_cast<uint64_t>(INT64_MAX)) return std::nullopt;
  int64_t value = static_cast<int64_t>(magnitude);
  return negative ? -value : value;
}

std::string ZeroPadded(uint64_t value, size_t width) {
  std::string digits = std::to_string(value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

std::string ReplaceAll(std::string_view s, std::string_view from,
                       std::string_view to) {
  std::string out;
  out.reserve(s.size());
  size_t start = 0;
  for (size_t hit = s.find(from); hit != std::string_view::npos;
       hit = s.find(from, start)) {
    out.append(s.substr(start, hit - start));
    out.append(to);
    start = hit + from.size();
  }
  out.append(s.substr(start));
  return out;
}

std::string RemoveByte(std::string_view s, char c) {
  std::string out;
  out.reserve(s.size());
  for (char b : s) {
    if (b != c) out.push_back(b);
  }
  return out;
}

std::string EscapeControls(std::string_view s) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  escaped.reserve(s.size());
  for (char c : s) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\t':
        escaped += "\\t";
        break;
      case '\n':
        escaped += "\\n";
        break;
      case '\r':
        escaped += "\\r";
        break;
      case '\\':
        escaped += "\\\\";
        break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          escaped += "\\x";
          escaped += kHex[byte >> 4];
          escaped += kHex[byte & 0xF];
        } else {
          escaped += c;
        }
    }
  }
  return escaped;
}

std::string EscapeControlsKeepingLines(std::string_view s) {
  std::string escaped;
  size_t start = 0;
  for (size_t end; (end = s.find('\n', start)) != std::string_view::npos;
       start = end + 1) {
    escaped += EscapeControls(s.substr(start, end - start));
    escaped += '\n';
  }
  escaped += EscapeControls(s.substr(start));
  return escaped;
}

}  // namespace veltrane
