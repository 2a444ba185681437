// Reading the numbers people type into count fields (copies, quantities).
#ifndef VELTRANE_OPS_INT_TEXT_H_
#define VELTRANE_OPS_INT_TEXT_H_

#include <limits>
#include <optional>
#include <string_view>

#include "util/text.h"

namespace veltrane {

// `text` read as a whole decimal integer (ParseInteger) that fits an int;
// nullopt for anything else, also "2 " or "2本".
inline std::optional<int> ParseIntText(std::string_view text) {
  std::optional<int64_t> n = ParseInteger(text);
  if (!n || !FitsInt(*n)) return std::nullopt;
  return static_cast<int>(*n);
}

}  // namespace veltrane

#endif  // VELTRANE_OPS_INT_TEXT_H_
