// Positions (record numbers) by a 64-bit hash of their content: which
// positions added so far have a given hash, in the order they were added.
// An open-addressing table over the entries; about 20 bytes per entry.
#ifndef VELTRANE_UTIL_HASH_POSITIONS_H_
#define VELTRANE_UTIL_HASH_POSITIONS_H_

#include <cstddef>
#include <cstdint>
#include <vector>

namespace veltrane {

class HashPositions {
 public:
  // Adds `position` under `hash`. Throws std::length_error beyond 2^32 - 2
  // entries.
  void Add(uint64_t hash, uint32_t position);

  // Calls `visit(position)` for the positions added under `hash`, in the
  // order they were added, until it returns false.
  template <typename Visit>
  void ForEach(uint64_t hash, Visit&& visit) const {
    if (slots_.empty()) return;
    const size_t mask = slots_.size() - 1;
    for (size_t slot = hash & mask; slots_[slot] != 0;
         slot = (slot + 1) & mask) {
      const uint32_t entry = slots_[slot] - 1;
      if (hashes_[entry] == hash && !visit(positions_[entry])) return;
    }
  }

 private:
  void Place(uint32_t entry);
  void Grow();

  std::vector<uint64_t> hashes_;     // per entry
  std::vector<uint32_t> positions_;  // per entry
  std::vector<uint32_t> slots_;      // entry + 1, 0 when empty; power of two,
                                     // at most half full
};

}  // namespace veltrane

#endif  // VELTRANE_UTIL_HASH_POSITIONS_H_
