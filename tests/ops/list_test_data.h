// Random ISBN list files for the differential tests of the list operations.
//
// The lines are ISBNs of generated records (GenerateIsbn) in the spellings
// real lists mix: hyphenated ISBN-10 as 010 $a holds it, bare, 13-digit with
// and without hyphens, with a trailing blank, a copy count or a leading
// "ISBN "; and empty lines and ISBNs of records no file holds. Lines
// repeat; the line breaks are CR LF, LF or CR, and the last line may lack
// one.
#ifndef VELTRANE_TESTS_OPS_LIST_TEST_DATA_H_
#define VELTRANE_TESTS_OPS_LIST_TEST_DATA_H_

#include <cstdint>
#include <random>
#include <string>

namespace veltrane::testing {

// `lines` lines drawn from the ISBNs of records 1 to `records` (and a few
// beyond) for `seed`.
std::string RandomIsbnList(uint64_t seed, int64_t records, int lines,
                           std::mt19937_64& rng);

}  // namespace veltrane::testing

#endif  // VELTRANE_TESTS_OPS_LIST_TEST_DATA_H_
