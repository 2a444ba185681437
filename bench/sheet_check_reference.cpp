#include "bench/sheet_check_reference.h"

namespace veltrane {

SheetMarks NestedSheetMatch(const Grid& buyer, const Grid& supplier,
                            const SheetMatchSpec& spec) {
  SheetMarks marks{std::vector<bool>(static_cast<size_t>(buyer.rows())),
                   std::vector<bool>(static_cast<size_t>(supplier.rows()))};
  size_t start = spec.supplier_first;
  for (size_t b = spec.buyer_first; b < static_cast<size_t>(buyer.rows()); ++b) {
    if (spec.sorted && b > spec.buyer_first &&
        RepeatsPreviousRow(buyer, b, spec)) {
      marks.buyer[b] = marks.buyer[b - 1];
      continue;
    }
    int matched = 0;
    for (size_t s = start; s < static_cast<size_t>(supplier.rows()); ++s) {
      const bool match = RowsMatch(buyer, b, supplier, s, spec);
      if (matched > 0 && !match) break;
      if (!match) continue;
      if (spec.sorted) {
        ++matched;
        start = s + 1;
      }
      marks.buyer[b] = marks.supplier[s] = true;
    }
  }
  return marks;
}

}  // namespace veltrane
