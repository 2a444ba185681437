// Linear probing without removal keeps the entries of one hash in the order
// they were placed along its probe sequence; growing places them again in
// entry order, which keeps that order.
#include "util/hash_positions.h"

#include <stdexcept>

namespace veltrane {

void HashPositions::Place(uint32_t entry) {
  const size_t mask = slots_.size() - 1;
  size_t slot = hashes_[entry] & mask;
  while (slots_[slot] != 0) slot = (slot + 1) & mask;
  slots_[slot] = entry + 1;
}

void HashPositions::Grow() {
  slots_.assign(slots_.empty() ? 1024 : slots_.size() * 2, 0);
  for (uint32_t entry = 0; entry < hashes_.size(); ++entry) Place(entry);
}

void HashPositions::Add(uint64_t hash, uint32_t position) {
  if (hashes_.size() >= UINT32_MAX - 1) {
    throw std::length_error("hash table full");
  }
  hashes_.push_back(hash);
  positions_.push_back(position);
  if (hashes_.size() * 2 > slots_.size()) {
    Grow();
  } else {
    Place(static_cast<uint32_t>(hashes_.size() - 1));
  }
}

}  // namespace veltrane
