// How the duplicate rules read a record text: the directory as the rules see
// it, the field-list specifications that apply to a field, and the values
// they take. MarcRecordsMatch and the buyer index of the MARC check both read
// records through these functions, so that they always agree.
//
// Reading: the base address B is the integer at leader offsets 12-16; the
// directory holds (min(B - 23, size - 24)) div 12 entries from offset 24 (none
// when B is below 24); each entry is trimmed of bytes up to 0x20, its tag is
// its first 3 bytes, its length (bytes 4-7) and start (bytes 8-12) are read
// as integers, 0 where they are not; the field's data is the `length` bytes
// at B + start, as far as the text goes (a position before the text reads
// from its start).
#ifndef VELTRANE_MARC_MATCH_FIELDS_H_
#define VELTRANE_MARC_MATCH_FIELDS_H_

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace veltrane {

// The field entry ("010a", the ISBN) whose values are compared again by
// their ISBN keys.
inline constexpr std::string_view kIsbnSpec = "010a";

// The error text of a record without a numeric base address.
inline constexpr char kNoBaseAddressMessage[] = "记录的数据基地址不是数字";

struct MatchField {
  std::string_view tag;   // at most 3 bytes
  std::string_view data;  // indicators, subfields and terminator as stored
};

// The base address, or nullopt when offsets 12-16 (as far as the text goes)
// do not hold an integer.
std::optional<int64_t> MatchBaseAddress(std::string_view record);

// The fields of `record` in directory order, viewing into `record`. Throws
// MarcFormatError (kNoBaseAddressMessage) when it has no base address.
std::vector<MatchField> ReadMatchFields(std::string_view record);

// Calls `visit(spec)` for every specification of the field list `fields`
// that applies to a field tagged `tag`: the tag is searched as a substring of
// the list; a hit's specification runs from the hit to the next comma; the
// search goes on after it. Only specifications of 3 or 4 bytes are visited.
template <typename Visit>
void ForEachSpecOf(std::string_view tag, std::string_view fields,
                   Visit&& visit) {
  if (tag.empty()) return;
  size_t hit = fields.find(tag);
  while (hit != std::string_view::npos) {
    size_t end = std::min(fields.find(',', hit), fields.size());
    std::string_view spec = fields.substr(hit, end - hit);
    if (spec.size() == 3 || spec.size() == 4) visit(spec);
    hit = fields.find(tag, end + 1);
  }
}

// The value of a 3-byte specification (the whole field data) or a 4-byte one
// (the subfield named by its 4th byte, ExtractSubfield) in `data`.
std::string SpecValue(std::string_view spec, std::string_view data);

// The values a supplier record holds under the specifications of `fields`:
// for every field in directory order, each applying specification stores its
// value, replacing an earlier one; an empty value removes the entry.
class StoredSpecValues {
 public:
  StoredSpecValues(const std::vector<MatchField>& fields,
                   std::string_view list);
  // The stored value, empty when there is none.
  std::string_view Get(std::string_view spec) const;

 private:
  std::vector<std::pair<std::string_view, std::string>> values_;
};

// The $a of the first field 010, nullopt when there is no field 010.
std::optional<std::string> FirstIsbn(const std::vector<MatchField>& fields);

}  // namespace veltrane

#endif  // VELTRANE_MARC_MATCH_FIELDS_H_
