// Text encodings at the display and typing boundaries, and strict
// transcoding of record data.
//
// Record data, ISBN lines and grid cell files stay bytes everywhere in the
// core. Bytes are decoded only to show them to a person (GUI, CLI output),
// each record by its own encoding; what a person typed is encoded as GB18030,
// GBK's superset. The strict functions serve the conversion of record files
// between encodings, where a bad byte must stop the record, not be replaced.
#ifndef VELTRANE_UTIL_ENCODING_H_
#define VELTRANE_UTIL_ENCODING_H_

#include <optional>
#include <string>
#include <string_view>

namespace veltrane {

// The encodings record text comes in. kGbk covers GBK and GB18030.
enum class TextEncoding { kGbk, kUtf8 };

// kUtf8 when `bytes` are valid UTF-8 holding at least one multi-byte
// sequence, else kGbk (plain ASCII counts as GBK). Decide once per record, on
// the record's whole text, and decode all of its fields with the answer.
TextEncoding DetectEncoding(std::string_view bytes);

// `bytes` as UTF-8 for display, read in `encoding` (GBK as GB18030). Never
// fails: a byte sequence that cannot be decoded becomes U+FFFD and decoding
// goes on with the next byte.
std::string DecodeForDisplay(std::string_view bytes, TextEncoding encoding);

// The same, in the encoding DetectEncoding finds for `bytes`: the one call
// for showing a record text, a field or a title to a person.
std::string DecodeForDisplay(std::string_view bytes);

// Decodes GBK (as GB18030) bytes for display, like DecodeForDisplay.
std::string GbkToUtf8(std::string_view gbk);

// Encodes typed UTF-8 text as GB18030 (GBK bytes for every character GBK
// holds). Invalid UTF-8 becomes "?".
std::string Utf8ToGbk(std::string_view utf8);

// Strict transcoding: nullopt when `bytes` hold a sequence that is not valid
// in the source encoding. UTF-8 to GBK writes each character in GBK where it
// has a GBK form and in GB18030 otherwise.
std::optional<std::string> StrictGbkToUtf8(std::string_view gbk);
std::optional<std::string> StrictUtf8ToGbk(std::string_view utf8);

}  // namespace veltrane

#endif  // VELTRANE_UTIL_ENCODING_H_
