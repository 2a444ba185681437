#include "db/gbk_prefix.h"

namespace veltrane {
namespace {

bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool IsTrailByte(unsigned char c) {
  return c >= 0x40 && c <= 0xFE && c != 0x7F;
}

}  // namespace

size_t GbkCharBytes(std::string_view text, size_t pos) {
  bool pair = IsLeadByte(static_cast<unsigned char>(text[pos])) &&
              pos + 1 < text.size() &&
              IsTrailByte(static_cast<unsigned char>(text[pos + 1]));
  return pair ? 2 : 1;
}

std::string_view GbkPrefix(std::string_view text, size_t max_chars) {
  size_t end = 0;
  for (size_t chars = 0; chars < max_chars && end < text.size(); ++chars) {
    end += GbkCharBytes(text, end);
  }
  return text.substr(0, end);
}

std::string_view GbkBytePrefix(std::string_view text, size_t max_bytes) {
  size_t end = 0;
  while (end < text.size()) {
    size_t next = end + GbkCharBytes(text, end);
    if (next > max_bytes) break;
    end = next;
  }
  return text.substr(0, end);
}

}  // namespace veltrane
