// The ISBN range table in use, and the range message a user stored to
// replace the built-in one.
//
// The stored message lives beside the desktop program's settings:
// $XDG_CONFIG_HOME/Veltrane/RangeMessage.xml (~/.config when XDG_CONFIG_HOME
// is not set), so the desktop program and veltrane-cli both prefer it.
#ifndef VELTRANE_ISBN_RANGE_STORE_H_
#define VELTRANE_ISBN_RANGE_STORE_H_

#include <string>

#include "isbn/isbn_ranges.h"

namespace veltrane {

std::string StoredRangeMessagePath();

// Reads the range message at `source` and, when it is one, copies it to
// StoredRangeMessagePath() (written beside and renamed) and makes it the
// active table. Throws std::runtime_error or std::system_error naming the
// file; the stored message and the active table are then unchanged.
const IsbnRanges& StoreRangeMessage(const std::string& source);

// The table hyphenation uses. The first call reads the stored message; when
// there is none, or it cannot be read, the built-in table is used.
const IsbnRanges& ActiveIsbnRanges();

// Reads the stored message again (as the first call of ActiveIsbnRanges
// does). Returns why a stored message was not used, or "" when it was used
// or there is none.
std::string ReloadActiveIsbnRanges();

}  // namespace veltrane

#endif  // VELTRANE_ISBN_RANGE_STORE_H_
