// The first characters of a GBK text, for columns with a character limit.
#ifndef VELTRANE_DB_GBK_PREFIX_H_
#define VELTRANE_DB_GBK_PREFIX_H_

#include <cstddef>
#include <string_view>

namespace veltrane {

// The longest start of `text` that holds at most `max_chars` characters. A
// lead byte 0x81-0xFE with a trail byte (0x40-0x7E, 0x80-0xFE) after it is
// one character and is never split; every other byte is one character.
std::string_view GbkPrefix(std::string_view text, size_t max_chars);

}  // namespace veltrane

#endif  // VELTRANE_DB_GBK_PREFIX_H_
