// Reads the ISBN registration agency's range message (RangeMessage.xml) into
// an IsbnRanges table. Only the prefix 978 is kept.
#ifndef VELTRANE_ISBN_RANGE_MESSAGE_H_
#define VELTRANE_ISBN_RANGE_MESSAGE_H_

#include <string>
#include <string_view>

#include "isbn/isbn_ranges.h"

namespace veltrane {

// Parses the XML text of a range message. Throws std::runtime_error with a
// Chinese description when the text is not well-formed XML or holds no 978
// group ranges.
IsbnRanges ParseRangeMessage(std::string_view xml);

// Reads and parses the file at `path`; errors name the file.
IsbnRanges ReadRangeMessageFile(const std::string& path);

}  // namespace veltrane

#endif  // VELTRANE_ISBN_RANGE_MESSAGE_H_
