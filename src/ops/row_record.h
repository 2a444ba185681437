// The CNMARC record that the workbook-to-MARC conversion builds from one
// sheet row: the mapped cells as fields and subfields, then the fields every
// record needs (001, 005, 100, 101, 102, 105, 106, 801) where the mapping
// supplied none.
#ifndef VELTRANE_OPS_ROW_RECORD_H_
#define VELTRANE_OPS_ROW_RECORD_H_

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "marc/record.h"

namespace veltrane {

// A mapped column: where its cell is and the field ("200") or subfield
// ("200a") it fills.
struct MappedColumn {
  size_t column = 0;  // as the caller's cell lookup counts it
  std::string spec;   // 3 or 4 bytes
};

// The moment a conversion runs, in the forms the records carry.
struct RecordClock {
  explicit RecordClock(std::time_t now);
  std::string year;   // "yyyy"
  std::string date;   // "yyyyMMdd"
  std::string stamp;  // "yyyyMMddhhnnss.0"
};

// The 010 $d price form of a cell value: "CNY" + the number with two
// decimals when the value reads as a number above 0, else the value.
std::string PriceValue(std::string_view value);

// Builds the record of one row. `cell(column)` gives the cell text (UTF-8);
// texts are trimmed and encoded as GB18030. `sequence` counts converted rows
// from 1; `institution` (UTF-8) goes into 801 $b.
TMarcRecord BuildRowRecord(
    const std::function<std::string_view(size_t column)>& cell,
    const std::vector<MappedColumn>& columns, int64_t sequence,
    std::string_view institution, const RecordClock& clock);

}  // namespace veltrane

#endif  // VELTRANE_OPS_ROW_RECORD_H_
