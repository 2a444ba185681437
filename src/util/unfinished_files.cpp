// A fixed table of slots, each holding a copy of its path: registering
// claims a free slot with a compare-and-swap, so the signal handler sees a
// slot either complete or not at all.
#include "util/unfinished_files.h"

#include <unistd.h>

#include <atomic>
#include <cstring>

namespace veltrane {
namespace {

constexpr int kSlots = 32;
constexpr size_t kMaxPath = 4096;

enum State : int { kFree, kFilling, kActive };

struct Slot {
  std::atomic<int> state{kFree};
  int64_t keep_size = -1;
  char path[kMaxPath];
};

Slot g_slots[kSlots];

}  // namespace

UnfinishedFile::UnfinishedFile(const std::string& path, int64_t keep_size) {
  if (path.size() >= kMaxPath) return;
  for (int i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (!g_slots[i].state.compare_exchange_strong(expected, kFilling)) {
      continue;
    }
    std::memcpy(g_slots[i].path, path.c_str(), path.size() + 1);
    g_slots[i].keep_size = keep_size;
    g_slots[i].state.store(kActive, std::memory_order_release);
    slot_ = i;
    return;
  }
}

void UnfinishedFile::Release() {
  if (slot_ < 0) return;
  g_slots[slot_].state.store(kFree, std::memory_order_release);
  slot_ = -1;
}

void UndoUnfinishedFiles() noexcept {
  for (Slot& slot : g_slots) {
    if (slot.state.load(std::memory_order_acquire) != kActive) continue;
    if (slot.keep_size < 0) {
      ::unlink(slot.path);
    } else {
      ::truncate(slot.path, static_cast<off_t>(slot.keep_size));
    }
  }
}

}  // namespace veltrane
