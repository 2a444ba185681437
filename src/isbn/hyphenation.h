// Hyphenated display forms of ISBN-10 and ISSN codes.
//
// The ISBN-10 parts (group, publisher, title, check digit) are cut by the
// registration agency's ranges (range_store.h) where the agency has assigned
// them, and by general range tables elsewhere; group 7 by its own table. No
// check digit is examined here.
#ifndef VELTRANE_ISBN_HYPHENATION_H_
#define VELTRANE_ISBN_HYPHENATION_H_

#include <string>
#include <string_view>

namespace veltrane {

// "7500637721" -> "7-5006-3772-1": group, publisher, title and check character
// joined by "-"; an empty title part is left out. A publisher range longer
// than the digits left before the check character is cut to those digits.
// The tenth character is taken as it is. Anything but 10 characters with nine
// leading digits comes back unchanged.
std::string HyphenateIsbn10(std::string_view isbn10);

// Display form of a typed or scanned code: trims bytes <= 0x20 at both ends,
// upper-cases "a"-"z", then hyphenates 8 characters as "1234-5678" and 10
// characters with HyphenateIsbn10. Empty text, text that already holds a "-"
// and all other lengths are returned trimmed and upper-cased only.
std::string AddIsbnHyphens(std::string_view code);

}  // namespace veltrane

#endif  // VELTRANE_ISBN_HYPHENATION_H_
