// The conversion ranges of the ISBN column conversion: for each target form
// the kinds of codes a run may be limited to, and the conversion of one code
// under a range.
#ifndef VELTRANE_OPS_ISBN_RANGE_H_
#define VELTRANE_OPS_ISBN_RANGE_H_

#include <string>
#include <string_view>
#include <vector>

#include "isbn/convert.h"

namespace veltrane {

// The captions of the range items offered with `format` (UTF-8); item 0 is
// always "全部转换".
const std::vector<std::string>& IsbnRangeCaptions(IsbnFormat format);

// True when `code`, before conversion, is of the kind range item `range` of
// `format` converts. Lengths count characters (UTF-8), hyphens included. An
// item that `format` does not offer selects nothing.
bool IsbnInRange(std::string_view code, IsbnFormat format, int range);

// ConvertIsbn of `code` when the range selects it, else `code` unchanged.
std::string ConvertIsbnInRange(std::string_view code, IsbnFormat format,
                               int range, bool force);

}  // namespace veltrane

#endif  // VELTRANE_OPS_ISBN_RANGE_H_
