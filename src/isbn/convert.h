// Conversion between the spellings of one ISBN or ISSN: the short forms
// (ISBN-10, ISSN, with or without hyphens) and the 13-digit EAN barcodes
// ("978" for books, "977" for serials), plus a key that makes them all equal.
//
// Codes that cannot be converted are never an error: the input comes back
// unchanged, so a caller compares the result with the input to find out.
#ifndef VELTRANE_ISBN_CONVERT_H_
#define VELTRANE_ISBN_CONVERT_H_

#include <string>
#include <string_view>

namespace veltrane {

// Target form of ConvertIsbn. The numbers are the option indexes of the
// conversion radio groups and must not change.
enum class IsbnFormat {
  ifShortHyphen = 0,  // "7-5006-3772-1", "7500-6375"
  ifShortPlain = 1,   // "7500637721", "75006375"
  ifEan13 = 2,        // "9787500637721", "9777500637005"
  ifEan13Hyphen = 3,  // "978-7-5006-3772-1"; an ISSN barcode has no hyphens
};

// Converts an ISBN-10, ISSN or 13-digit barcode (hyphens anywhere) to
// `format`. Without `force` the code must have 8, 10 or 13 characters and a
// right check digit (exact case: a trailing "x" fails). With `force` 7, 9 and
// 12 characters are completed with a computed check digit and no check digit
// is verified; an 8- or 10-character code keeps its own. Check digits built
// into a result are computed. A code holding other characters, or an "X"/"x"
// anywhere but as the check character of 8 or 10 characters, is returned
// unchanged, as is every code that does not convert.
std::string ConvertIsbn(std::string_view code, IsbnFormat format, bool force);

// Comparison key: keeps "0"-"9", "X" and "x" of `code`; when 8, 10 or 13
// remain, drops the check character, then a leading "978" (keeping the next 9
// at most), then a leading "977" (keeping the next 7 at most), so that
// "7-5006-3772-1" and "9787500637721" both give "750063772". Any other count
// gives `code` as is.
std::string IsbnMatchKey(std::string_view code);

}  // namespace veltrane

#endif  // VELTRANE_ISBN_CONVERT_H_
