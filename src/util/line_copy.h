// Copying a text file line by line with CR LF line ends, in bounded memory.
#ifndef VELTRANE_UTIL_LINE_COPY_H_
#define VELTRANE_UTIL_LINE_COPY_H_

#include <functional>
#include <string_view>

#include "util/file_reader.h"

namespace veltrane {

// Hands `write` every line of `in` (from its current position), split as
// LineReader splits them, each followed by CR LF; a final line without a
// break gets one too. A line comes in pieces of at most one reader window,
// so a file without any break costs no more memory than a short one.
// Throws what the reader or `write` throws. REQUIRES: `in` has a window of
// at least 64 KiB (the default).
void CopyLinesCrLf(FileReader& in,
                   const std::function<void(std::string_view)>& write);

}  // namespace veltrane

#endif  // VELTRANE_UTIL_LINE_COPY_H_
