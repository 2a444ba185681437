// Numbers for byte strings: each distinct string gets the next id (from 0) the
// first time it is interned. The strings are kept back to back in one block
// with an open-addressing table over them, so millions of short strings cost
// little more than their bytes.
#ifndef VELTRANE_UTIL_STRING_INTERNER_H_
#define VELTRANE_UTIL_STRING_INTERNER_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

class StringInterner {
 public:
  // The id of `s`, new when it was not interned yet. Throws std::length_error
  // when the ids run out.
  uint32_t Intern(std::string_view s);
  // The id of `s`, or nullopt when it was never interned.
  std::optional<uint32_t> Find(std::string_view s) const;

  uint32_t size() const { return static_cast<uint32_t>(ends_.size()); }

 private:
  // One slot of the table: 0 for an empty slot, else id + 1, and 32 bits of
  // the string's hash to skip most comparisons.
  struct Slot {
    uint32_t id_plus_one = 0;
    uint32_t tag = 0;
  };

  std::string_view At(uint32_t id) const;
  // The slot holding `s`, or the empty slot where it would go.
  size_t Probe(std::string_view s, uint64_t hash) const;
  void Grow();

  std::string bytes_;
  std::vector<uint64_t> ends_;  // end of each string in bytes_
  std::vector<Slot> slots_;     // size a power of two, at most half used
};

}  // namespace veltrane

#endif  // VELTRANE_UTIL_STRING_INTERNER_H_
