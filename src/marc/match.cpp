#include "marc/match.h"

#include <cstdint>
#include <string>
#include <vector>

#include "isbn/convert.h"
#include "marc/match_fields.h"
#include "util/text.h"

namespace veltrane {
namespace {

// Every applying specification of every buyer field counts once when its
// value equals the supplier's stored value (for 010 $a with `isbn_keys`,
// also when their ISBN keys are equal).
bool ListedFieldsMatch(std::string_view supplier, std::string_view buyer,
                       std::string_view list, int threshold, bool isbn_keys) {
  StoredSpecValues stored(ReadMatchFields(supplier), list);
  int64_t count = 0;
  for (const MatchField& field : ReadMatchFields(buyer)) {
    ForEachSpecOf(field.tag, list, [&](std::string_view spec) {
      std::string value = SpecValue(spec, field.data);
      std::string_view theirs = stored.Get(spec);
      if (value == theirs || (isbn_keys && spec == kIsbnSpec &&
                              IsbnMatchKey(value) == IsbnMatchKey(theirs))) {
        ++count;
      }
    });
  }
  return count >= threshold;
}

// The first 010 $a of both. A record without one (no 010, or a first 010
// without $a) is a repeat of nothing: an absent ISBN is not a shared one.
bool SameIsbnMatch(std::string_view supplier, std::string_view buyer,
                   bool isbn_keys) {
  std::string ours = FirstIsbn(ReadMatchFields(supplier)).value_or("");
  std::string theirs = FirstIsbn(ReadMatchFields(buyer)).value_or("");
  if (ours.empty() || theirs.empty()) return false;
  return theirs == ours ||
         (isbn_keys && IsbnMatchKey(theirs) == IsbnMatchKey(ours));
}

bool IsTagByte(char c) { return IsAsciiDigit(c) || c == '-'; }

}  // namespace

bool MarcRecordsMatch(std::string_view supplier, std::string_view buyer,
                      MatchRule rule, std::string_view fields, int threshold,
                      bool isbn_keys) {
  if (supplier == buyer) return true;
  switch (rule) {
    case MatchRule::IdenticalRecord:
      return false;
    case MatchRule::ListedFields:
      return ListedFieldsMatch(supplier, buyer, fields, threshold, isbn_keys);
    case MatchRule::SameIsbn:
      return SameIsbnMatch(supplier, buyer, isbn_keys);
  }
  return false;
}

bool IsValidFieldSpec(std::string_view spec) {
  if (spec.empty()) return true;
  if (spec.size() != 3 && spec.size() != 4) return false;
  for (size_t i = 0; i < 3; ++i) {
    if (!IsTagByte(spec[i])) return false;
  }
  return spec.size() == 3 || IsAsciiDigit(spec[3]) ||
         (spec[3] >= 'a' && spec[3] <= 'z');
}

}  // namespace veltrane
