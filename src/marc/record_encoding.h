// Turning a record text into another encoding (GBK or UTF-8).
#ifndef VELTRANE_MARC_RECORD_ENCODING_H_
#define VELTRANE_MARC_RECORD_ENCODING_H_

#include <string>
#include <string_view>

#include "util/encoding.h"

namespace veltrane {

// The record text with each field's bytes (indicators and data) decoded in
// the record's own encoding (DetectEncoding of the whole text; GBK read as
// GB18030) and encoded in `target` (GBK where a character has a GBK form,
// GB18030 otherwise); lengths, directory and base address rebuilt, field 005
// kept as it was. A MARC 21 record (one with field 008) gets leader position
// 9 "a" in UTF-8 and a blank in GBK; other leaders are kept. Throws
// MarcFormatError when a field cannot be decoded or the record does not read
// or no longer fits its length digits; nothing is returned then.
std::string TranscodeRecord(std::string_view record_text, TextEncoding target);

}  // namespace veltrane

#endif  // VELTRANE_MARC_RECORD_ENCODING_H_
