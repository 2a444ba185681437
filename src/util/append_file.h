// Appending to a file whose existing content must stay, whatever happens.
//
// The file is opened in append mode on the first write (created when
// missing), so a run that writes nothing leaves no file behind. Writes are
// buffered; `Close` writes the rest and syncs the file to disk. Appending
// never touches the bytes the file held: an error can cost only what this
// writer had not yet written, and what it already wrote stays, as a series
// of one-record appends would have left it.
#ifndef VELTRANE_UTIL_APPEND_FILE_H_
#define VELTRANE_UTIL_APPEND_FILE_H_

#include <string>
#include <string_view>

#include "util/write_buffer.h"

namespace veltrane {

class AppendFile {
 public:
  explicit AppendFile(std::string path);
  // Writes what is still buffered (errors ignored) and closes the file.
  ~AppendFile();
  AppendFile(const AppendFile&) = delete;
  AppendFile& operator=(const AppendFile&) = delete;

  // Throws std::system_error naming the file when it cannot be opened or
  // written.
  void Write(std::string_view bytes);
  // `line` followed by CR LF.
  void WriteLine(std::string_view line);

  // Writes the rest, syncs and closes; nothing when nothing was written.
  // Throws std::system_error naming the file on failure.
  void Close();

 private:
  void Open();
  [[noreturn]] void Fail();

  std::string path_;
  int fd_ = -1;
  WriteBuffer buffer_;
};

}  // namespace veltrane

#endif  // VELTRANE_UTIL_APPEND_FILE_H_
