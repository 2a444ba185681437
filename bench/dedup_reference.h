// The de-duplications as the plain nested loops that the indexed
// RunDedupMarc and RunDedupIsbn replace: every entry of the source is
// compared with every entry of the result file, which is read again from
// disk each time, and appended when none matches. Slow on purpose and
// simple enough to trust; the differential tests compare the indexed
// operations with them byte for byte and the benchmark times both.
//
// A comparison that fails because a record has no numeric base address
// counts as no match (as when the user answers "继续" every time); nothing
// is logged. Inputs are not checked; `fields` is used as given.
#ifndef VELTRANE_BENCH_DEDUP_REFERENCE_H_
#define VELTRANE_BENCH_DEDUP_REFERENCE_H_

#include "ops/dedup.h"

namespace veltrane {

void NestedDedupMarc(const DedupMarcOptions& options);
void NestedDedupIsbn(const DedupIsbnOptions& options);

}  // namespace veltrane

#endif  // VELTRANE_BENCH_DEDUP_REFERENCE_H_
