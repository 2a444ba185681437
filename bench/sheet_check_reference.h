// The workbook check's matching as the plain nested loops that the indexed
// MatchSheetRows replaces: every buyer row is compared pair by pair with the
// supplier rows from the scan start on. Slow on purpose and simple enough to
// trust; the differential tests compare MatchSheetRows with it and
// veltrane-bench-check-sheet times both.
#ifndef VELTRANE_BENCH_SHEET_CHECK_REFERENCE_H_
#define VELTRANE_BENCH_SHEET_CHECK_REFERENCE_H_

#include "ops/sheet_match.h"

namespace veltrane {

SheetMarks NestedSheetMatch(const Grid& buyer, const Grid& supplier,
                            const SheetMatchSpec& spec);

}  // namespace veltrane

#endif  // VELTRANE_BENCH_SHEET_CHECK_REFERENCE_H_
