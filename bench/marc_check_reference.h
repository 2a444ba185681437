// The MARC-against-MARC check as the plain nested loops that the indexed
// RunMarcCheck replaces: for every supplier record the buyer file is scanned
// again from its start and each buyer record compared with MarcRecordsMatch.
// Slow on purpose and simple enough to trust; the differential tests compare
// RunMarcCheck with it byte for byte and veltrane-bench-check-marc times
// both.
//
// A comparison that fails because a record has no numeric base address
// counts as no match (as when the user answers "继续" every time); nothing is
// logged. Only the file source; `fields` is used as given, inputs are not
// checked.
#ifndef VELTRANE_BENCH_MARC_CHECK_REFERENCE_H_
#define VELTRANE_BENCH_MARC_CHECK_REFERENCE_H_

#include "ops/marc_check.h"

namespace veltrane {

// Writes the outputs of `options` whose paths are not blank.
void NestedMarcCheck(const MarcCheckOptions& options);

}  // namespace veltrane

#endif  // VELTRANE_BENCH_MARC_CHECK_REFERENCE_H_
