#include "marc/subfield_mark.h"

#include "marc/record.h"

namespace veltrane {
namespace {

// Length of the character starting at `i`: 2 for a GBK lead byte followed by
// a valid trail byte, else 1.
inline size_t CharLength(std::string_view text, size_t i) {
  unsigned char lead = static_cast<unsigned char>(text[i]);
  if (lead < 0x81 || lead == 0xFF || i + 1 >= text.size()) return 1;
  unsigned char trail = static_cast<unsigned char>(text[i + 1]);
  return (trail >= 0x40 && trail != 0x7F && trail != 0xFF) ? 2 : 1;
}

inline bool IsMarkAt(std::string_view text, size_t i) {
  return text[i] == kSubfieldMark[0] && i + 1 < text.size() &&
         text[i + 1] == kSubfieldMark[1];
}

}  // namespace

size_t FindSubfieldMark(std::string_view text, size_t from) {
  for (size_t i = from; i < text.size(); i += CharLength(text, i)) {
    if (IsMarkAt(text, i)) return i;
  }
  return std::string_view::npos;
}

size_t FindSubfield(std::string_view text, char code) {
  for (size_t i = FindSubfieldMark(text); i != std::string_view::npos;
       i = FindSubfieldMark(text, i + 2)) {
    if (i + 2 < text.size() && text[i + 2] == code) return i;
  }
  return std::string_view::npos;
}

std::string MarksToDelimiters(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    if (IsMarkAt(text, i)) {
      out.push_back(kSubfieldDelimiter);
      i += 2;
      continue;
    }
    size_t n = CharLength(text, i);
    out.append(text.substr(i, n));
    i += n;
  }
  return out;
}

std::string DelimitersToMarks(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 16);
  for (char c : text) {
    if (c == kSubfieldDelimiter) {
      out.append(kSubfieldMark);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace veltrane
