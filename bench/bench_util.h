// What the benchmark programs share: a scratch folder, a host that answers
// nothing, and a stopwatch reading.
#ifndef VELTRANE_BENCH_BENCH_UTIL_H_
#define VELTRANE_BENCH_BENCH_UTIL_H_

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "ops/operation.h"

namespace veltrane {

// A new folder $TMPDIR (or /tmp)/`name`-PID, removed with everything in it
// when the benchmark ends, however it ends.
class WorkFolder {
 public:
  explicit WorkFolder(const std::string& name) {
    const char* tmpdir = std::getenv("TMPDIR");
    path_ = std::filesystem::path(tmpdir && *tmpdir ? tmpdir : "/tmp") /
            (name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~WorkFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  std::string Path(const std::string& name) const {
    return (path_ / name).string();
  }

 private:
  std::filesystem::path path_;
};

// Answers nothing and lets every run go on.
class QuietHost : public OperationHost {
 public:
  void SetProgressTotal(int64_t) override {}
  void SetProgressPosition(int64_t) override {}
  bool ContinueAfterFailure(const RecordFailure&) override { return true; }
};

inline double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
      .count();
}

}  // namespace veltrane

#endif  // VELTRANE_BENCH_BENCH_UTIL_H_
