// The subfield mark "■" at the edges where people meet record data.
//
// Records keep their subfield delimiters as the byte 0x1F; people see and type
// them as the GBK character "■" (A1 F6): in the rule table of batch edits, in
// the record grid, in rules files and in values given to AddValue and
// ModifyValue. These two functions are the only places where one turns into
// the other, and they run only on text whose characters are known to be GBK
// text written or read by a person, never on bytes read from a file.
#ifndef VELTRANE_MARC_SUBFIELD_MARK_H_
#define VELTRANE_MARC_SUBFIELD_MARK_H_

#include <string>
#include <string_view>

namespace veltrane {

// Typed GBK text with every "■" turned into 0x1F. The search steps over GBK
// characters, so the bytes A1 F6 inside two other characters ("啊鲡" is
// B0 A1 F6 E2) stay what they are; a lead byte without a valid trail byte
// counts as one byte, so it never hides the ASCII byte after it.
std::string MarksToDelimiters(std::string_view typed);

// Field bytes for a person: every 0x1F turned into "■" (GBK). Bytes A1 F6
// that the data already held look the same afterwards; text shown this way
// is for reading and typing over, not for writing back blindly.
std::string DelimitersToMarks(std::string_view data);

}  // namespace veltrane

#endif  // VELTRANE_MARC_SUBFIELD_MARK_H_
