#include "db/gbk_prefix.h"

namespace veltrane {
namespace {

bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool IsTrailByte(unsigned char c) {
  return c >= 0x40 && c <= 0xFE && c != 0x7F;
}

}  // namespace

std::string_view GbkPrefix(std::string_view text, size_t max_chars) {
  size_t end = 0;
  for (size_t chars = 0; chars < max_chars && end < text.size(); ++chars) {
    bool pair = IsLeadByte(static_cast<unsigned char>(text[end])) &&
                end + 1 < text.size() &&
                IsTrailByte(static_cast<unsigned char>(text[end + 1]));
    end += pair ? 2 : 1;
  }
  return text.substr(0, end);
}

}  // namespace veltrane
