// The duplicate rules over two record texts, shared by the MARC-against-MARC
// check and the MARC de-duplication.
//
// The rules read the record texts themselves (no TMarcRecord): the base
// address at leader offsets 12-16, entries from offset 24, data at base +
// start. Identical texts are duplicates under every rule.
#ifndef VELTRANE_MARC_MATCH_H_
#define VELTRANE_MARC_MATCH_H_

#include <string_view>

namespace veltrane {

enum class MatchRule {
  IdenticalRecord = 0,  // "只有双方MARC记录完全一致才认为重复"
  ListedFields = 1,     // "只要这些字段：" at least N of them equal
  SameIsbn = 2,         // "只要ISBN相同就认为重复": 010 $a equal
};

// True when `supplier` and `buyer` are duplicates under `rule`. `fields` is
// the comma-separated field list as typed ("200a,010a,010d"), `threshold` N;
// with `isbn_keys` differing 010 $a values are compared again by their
// IsbnMatchKey. Under SameIsbn a record without a first 010 $a matches only
// a record of identical text. Throws MarcFormatError when a record that has to
// be read has no numeric base address.
bool MarcRecordsMatch(std::string_view supplier, std::string_view buyer,
                      MatchRule rule, std::string_view fields, int threshold,
                      bool isbn_keys);

// True for "" and for a field specification: 3 or 4 characters, the first
// three digits or "-", the fourth a digit or "a"-"z".
bool IsValidFieldSpec(std::string_view spec);

}  // namespace veltrane

#endif  // VELTRANE_MARC_MATCH_H_
