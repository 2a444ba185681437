#include "cli/interrupt.h"

#include <signal.h>

#include <atomic>

#include "util/unfinished_files.h"

namespace veltrane::cli {
namespace {

std::atomic<bool> g_polled{false};
std::atomic<bool> g_interrupted{false};

void OnSignal(int signal_number) {
  if (g_polled.load() && !g_interrupted.exchange(true)) return;
  UndoUnfinishedFiles();
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

}  // namespace

void InstallInterruptHandlers() {
  static_assert(std::atomic<bool>::is_always_lock_free);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    ::sigaction(signal_number, &action, nullptr);
  }
}

bool InterruptRequested() {
  g_polled.store(true);
  return g_interrupted.load();
}

}  // namespace veltrane::cli
