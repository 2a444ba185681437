// Files a run has begun but not finished, so that a process ended by a
// signal (Ctrl-C, SIGTERM) can undo them before it goes: a temporary output
// file is removed, a file being appended to is cut back to the size it had
// (removed when the run created it).
//
// The writers (OutputFile, AppendFile) register themselves; a front end's
// signal handler calls UndoUnfinishedFiles(). Registration holds a copy of
// the path, so the handler never touches memory the writers own.
#ifndef VELTRANE_UTIL_UNFINISHED_FILES_H_
#define VELTRANE_UTIL_UNFINISHED_FILES_H_

#include <cstdint>
#include <string>

namespace veltrane {

// One registration, for as long as it lives (or until Release()).
class UnfinishedFile {
 public:
  // `path` is removed on a signal when `keep_size` is negative, else cut back
  // to `keep_size` bytes. When every slot is taken (more than a few dozen
  // writers at once) the file is silently not registered.
  UnfinishedFile(const std::string& path, int64_t keep_size);
  ~UnfinishedFile() { Release(); }
  UnfinishedFile(const UnfinishedFile&) = delete;
  UnfinishedFile& operator=(const UnfinishedFile&) = delete;

  // The file is finished (or undone by its owner): forget it.
  void Release();

 private:
  int slot_ = -1;
};

// Undoes every registered file. Async-signal-safe (unlink, truncate only).
void UndoUnfinishedFiles() noexcept;

}  // namespace veltrane

#endif  // VELTRANE_UTIL_UNFINISHED_FILES_H_
