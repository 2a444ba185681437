// Accession-number ranges as written in 905 $b: "A00124-26" means A00124 to
// A00126. An accession number is a prefix (up to and including its last
// non-digit byte, possibly empty) followed by a run of digits; numbers keep
// the width of their digit run and grow wider only when they outgrow it.
#ifndef VELTRANE_MARC_ACCESSION_H_
#define VELTRANE_MARC_ACCESSION_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace veltrane {

// The abbreviated range from `start` to `end`: start, "-", and end from one
// byte before their first difference; just `start` when end adds nothing.
std::string JoinRange(std::string_view start, std::string_view end);

// The range after `counter` (the last number given, possibly as a range) for
// `copies` copies (a missing, non-numeric or zero count means 1). With
// `first` the range starts at the counter itself. Empty counter: empty.
std::string NextAccessionRange(std::string_view counter,
                               std::string_view copies, bool first);

// The n-th number (from 1) of `range`; only the range's start is used.
std::string RangeMember(std::string_view range, int64_t n);

}  // namespace veltrane

#endif  // VELTRANE_MARC_ACCESSION_H_
