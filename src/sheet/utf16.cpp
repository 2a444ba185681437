#include "sheet/workbook_formats.h"

namespace veltrane::sheet_internal {

std::u16string Utf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    unsigned char lead = static_cast<unsigned char>(utf8[i]);
    size_t n = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3
                                                    : (lead >> 3) == 30 ? 4 : 0;
    char32_t code = n == 1 ? lead : n == 2 ? lead & 0x1F : n == 3 ? lead & 0x0F
                                                                 : lead & 0x07;
    bool valid = n > 0 && i + n <= utf8.size();
    for (size_t k = 1; valid && k < n; ++k) {
      unsigned char c = static_cast<unsigned char>(utf8[i + k]);
      valid = (c & 0xC0) == 0x80;
      code = (code << 6) | (c & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (!valid || code < kMin[n] || code > 0x10FFFF ||
        (code >= 0xD800 && code <= 0xDFFF)) {
      out.push_back(u'\uFFFD');
      ++i;
      continue;
    }
    if (code >= 0x10000) {
      code -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(code));
    }
    i += n;
  }
  return out;
}

}  // namespace veltrane::sheet_internal
