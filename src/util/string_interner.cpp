#include "util/string_interner.h"

#include <functional>
#include <limits>
#include <stdexcept>

namespace veltrane {
namespace {

constexpr size_t kFirstSlots = 64;

uint64_t HashOf(std::string_view s) { return std::hash<std::string_view>{}(s); }

uint32_t TagOf(uint64_t hash) { return static_cast<uint32_t>(hash >> 32); }

}  // namespace

uint32_t StringInterner::Intern(std::string_view s) {
  if ((ends_.size() + 1) * 2 > slots_.size()) Grow();
  uint64_t hash = HashOf(s);
  Slot& slot = slots_[Probe(s, hash)];
  if (slot.id_plus_one != 0) return slot.id_plus_one - 1;
  if (ends_.size() >= std::numeric_limits<uint32_t>::max() - 1) {
    throw std::length_error("too many distinct strings");
  }
  bytes_.append(s);
  ends_.push_back(bytes_.size());
  slot = {static_cast<uint32_t>(ends_.size()), TagOf(hash)};
  return slot.id_plus_one - 1;
}

std::optional<uint32_t> StringInterner::Find(std::string_view s) const {
  if (slots_.empty()) return std::nullopt;
  const Slot& slot = slots_[Probe(s, HashOf(s))];
  if (slot.id_plus_one == 0) return std::nullopt;
  return slot.id_plus_one - 1;
}

std::string_view StringInterner::At(uint32_t id) const {
  size_t begin = id == 0 ? 0 : ends_[id - 1];
  return std::string_view(bytes_).substr(begin, ends_[id] - begin);
}

size_t StringInterner::Probe(std::string_view s, uint64_t hash) const {
  const size_t mask = slots_.size() - 1;
  const uint32_t tag = TagOf(hash);
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.id_plus_one == 0) return i;
    if (slot.tag == tag && At(slot.id_plus_one - 1) == s) return i;
  }
}

void StringInterner::Grow() {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(old.empty() ? kFirstSlots : old.size() * 2, Slot{});
  const size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.id_plus_one == 0) continue;
    uint64_t hash = HashOf(At(slot.id_plus_one - 1));
    size_t i = hash & mask;
    while (slots_[i].id_plus_one != 0) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

}  // namespace veltrane
