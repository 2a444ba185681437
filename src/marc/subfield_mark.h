// Finding the subfield mark "■" in GBK text.
//
// The mark is the GBK character A1 F6. Searching for those two bytes blindly
// would also hit a character ending in A1 followed by one starting with F6,
// and turning that into a delimiter would destroy both characters; the search
// here steps over GBK characters and only finds the mark where a character
// starts. A lead byte not followed by a valid trail byte counts as one byte,
// so a stray byte never hides the ASCII byte after it.
#ifndef VELTRANE_MARC_SUBFIELD_MARK_H_
#define VELTRANE_MARC_SUBFIELD_MARK_H_

#include <string>
#include <string_view>

namespace veltrane {

// Offset of the first mark at or after `from` (which must be a character
// boundary), or npos.
size_t FindSubfieldMark(std::string_view text, size_t from = 0);

// Offset of the first mark followed by the subfield code `code`, or npos.
size_t FindSubfield(std::string_view text, char code);

// Every mark turned into 0x1F.
std::string MarksToDelimiters(std::string_view text);

// Every 0x1F turned into the mark.
std::string DelimitersToMarks(std::string_view text);

}  // namespace veltrane

#endif  // VELTRANE_MARC_SUBFIELD_MARK_H_
