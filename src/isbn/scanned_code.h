// Recognition of what a barcode scanner or a typist delivers to a scan field:
// a 13-digit "978"/"977" barcode, an ISBN-10 or an ISSN, reduced to the short
// form with a computed check digit.
#ifndef VELTRANE_ISBN_SCANNED_CODE_H_
#define VELTRANE_ISBN_SCANNED_CODE_H_

#include <string>
#include <string_view>

namespace veltrane {

struct ScannedCode {
  // The ISBN-10 or ISSN with its computed check character; the input without
  // hyphens when the input is not recognised.
  std::string Code;
  // The input is a recognised code and its short check digit, if it has one,
  // is right. `Code` is meant for use only when this is set.
  bool Valid = false;
};

// Removes every "-" (nothing else, so blanks make a code unrecognised) and
// recognises 13 characters beginning "978" or "977" (the barcode's own check
// digit and the two digits after an ISSN are not examined), 10 characters
// (ISBN-10, a lower-case "x" check accepted) and 8 characters (ISSN, the check
// character must match exactly). Non-digits where a digit is read, and all
// other input, give Valid = false.
ScannedCode RecogniseScannedCode(std::string_view code);

}  // namespace veltrane

#endif  // VELTRANE_ISBN_SCANNED_CODE_H_
