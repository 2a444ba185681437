// Appending a run's output to a file whose existing content must stay,
// whatever happens.
//
// The file is opened in append mode on the first write (created when
// missing), so a run that writes nothing leaves no file behind. Writes are
// buffered; `Close` writes the rest and syncs the file to disk. A writer
// destroyed without `Close` (a failed or stopped run) takes its run back: the
// file is cut back to the size it had at the first write, or removed when
// the run created it; the bytes the file held are never touched. While open,
// the file is registered as unfinished (util/unfinished_files.h), so a signal
// handler can take the run back too. A target that is not a regular file (a
// device, a FIFO) is simply written to.
#ifndef VELTRANE_UTIL_APPEND_FILE_H_
#define VELTRANE_UTIL_APPEND_FILE_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "util/unfinished_files.h"
#include "util/write_buffer.h"

namespace veltrane {

class AppendFile {
 public:
  explicit AppendFile(std::string path);
  // Without a successful Close(): cuts the file back as described above.
  ~AppendFile();
  AppendFile(const AppendFile&) = delete;
  AppendFile& operator=(const AppendFile&) = delete;

  // Throws std::system_error naming the file when it cannot be opened or
  // written.
  void Write(std::string_view bytes);
  // `line` followed by CR LF.
  void WriteLine(std::string_view line);

  // Writes the rest, syncs and closes; nothing when nothing was written.
  // Throws std::system_error naming the file on failure (the run is then
  // taken back).
  void Close();

 private:
  void Open();
  [[noreturn]] void Fail();
  void TakeBack();

  std::string path_;
  std::string target_;     // the regular file appended to; empty otherwise
  int64_t start_size_ = -1;  // -1: the run created the file
  std::unique_ptr<UnfinishedFile> unfinished_;
  int fd_ = -1;
  WriteBuffer buffer_;
};

}  // namespace veltrane

#endif  // VELTRANE_UTIL_APPEND_FILE_H_
