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

}  // namespace

std::string MarksToDelimiters(std::string_view typed) {
  std::string out;
  out.reserve(typed.size());
  for (size_t i = 0; i < typed.size();) {
    if (typed.substr(i, 2) == kSubfieldMark) {
      out.push_back(kSubfieldDelimiter);
      i += 2;
      continue;
    }
    size_t n = CharLength(typed, i);
    out.append(typed.substr(i, n));
    i += n;
  }
  return out;
}

std::string DelimitersToMarks(std::string_view data) {
  std::string out;
  out.reserve(data.size() + 16);
  for (char c : data) {
    if (c == kSubfieldDelimiter) {
      out.append(kSubfieldMark);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace veltrane
