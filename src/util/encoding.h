// GBK <-> UTF-8 conversion at the display and typing boundaries.
//
// Record data, ISBN lines and grid cell files stay GBK bytes everywhere in the
// core; these two functions are used only to show such bytes to a person
// (GUI, CLI output) and to turn what a person typed into GBK.
#ifndef VELTRANE_UTIL_ENCODING_H_
#define VELTRANE_UTIL_ENCODING_H_

#include <string>
#include <string_view>

namespace veltrane {

// Decodes GBK bytes for display. Never fails: a byte sequence that is not GBK
// becomes U+FFFD and decoding goes on with the next byte.
std::string GbkToUtf8(std::string_view gbk);

// Encodes typed UTF-8 text as GBK. Characters GBK cannot hold (and invalid
// UTF-8) become "?".
std::string Utf8ToGbk(std::string_view utf8);

}  // namespace veltrane

#endif  // VELTRANE_UTIL_ENCODING_H_
