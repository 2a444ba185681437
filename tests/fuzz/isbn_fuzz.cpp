// Fuzz target: any bytes as a scanned or typed code, through every ISBN
// function and both duplicate rules.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "isbn/check_digit.h"
#include "isbn/convert.h"
#include "isbn/hyphenation.h"
#include "isbn/scanned_code.h"
#include "marc/match.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view code(reinterpret_cast<const char*>(data), size);
  for (int format = 0; format < 4; ++format) {
    for (bool force : {false, true}) {
      veltrane::ConvertIsbn(code, static_cast<veltrane::IsbnFormat>(format),
                            force);
    }
  }
  veltrane::IsbnMatchKey(code);
  veltrane::AddIsbnHyphens(code);
  veltrane::RecogniseScannedCode(code);
  veltrane::Isbn10CheckDigit(code);
  veltrane::IssnCheckDigit(code);
  veltrane::Ean13CheckDigit(code);
  veltrane::IsValidFieldSpec(code);
  // Two records from one input: split at the first 0x1D.
  size_t cut = code.find('\x1D');
  std::string_view first = code.substr(0, cut);
  std::string_view second =
      cut == std::string_view::npos ? code : code.substr(cut + 1);
  for (int rule = 0; rule < 3; ++rule) {
    try {
      veltrane::MarcRecordsMatch(first, second,
                                 static_cast<veltrane::MatchRule>(rule),
                                 "200a,010a,010d,200,-01", 2, rule == 2);
    } catch (const std::exception&) {
    }
  }
  return 0;
}
