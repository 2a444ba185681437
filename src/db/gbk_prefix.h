// The first characters of a GBK text, for columns with a character or byte
// limit.
#ifndef VELTRANE_DB_GBK_PREFIX_H_
#define VELTRANE_DB_GBK_PREFIX_H_

#include <cstddef>
#include <string_view>

namespace veltrane {

// The number of bytes of the character that starts at `pos` of `text`: 2 for
// a lead byte 0x81-0xFE with a trail byte (0x40-0x7E, 0x80-0xFE) after it,
// else 1. REQUIRES: pos < text.size().
size_t GbkCharBytes(std::string_view text, size_t pos);

// The longest start of `text` that holds at most `max_chars` characters; a
// double-byte character is never split.
std::string_view GbkPrefix(std::string_view text, size_t max_chars);

// The longest start of `text` of at most `max_bytes` bytes that does not
// split a double-byte character.
std::string_view GbkBytePrefix(std::string_view text, size_t max_bytes);

}  // namespace veltrane

#endif  // VELTRANE_DB_GBK_PREFIX_H_
