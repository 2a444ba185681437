// A new output file that replaces its target only when the work succeeded.
//
// The bytes go to a temporary file beside the target; `Commit` flushes it to
// disk and renames it over the target. Destroying an uncommitted writer
// deletes the temporary file, so a failed run never leaves a half-written
// file behind and never destroys the file the user had under that name.
#ifndef VELTRANE_UTIL_OUTPUT_FILE_H_
#define VELTRANE_UTIL_OUTPUT_FILE_H_

#include <string>
#include <string_view>

#include "util/write_buffer.h"

namespace veltrane {

class OutputFile {
 public:
  // Creates the temporary file. Throws std::system_error naming `path` when
  // its folder cannot take a new file.
  explicit OutputFile(std::string path);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  const std::string& path() const { return path_; }

  void Write(std::string_view bytes);
  // `line` followed by CR LF.
  void WriteLine(std::string_view line);

  // Flushes, syncs and moves the file into place. Throws std::system_error on
  // failure (the temporary file is then removed). REQUIRES: not yet committed.
  void Commit();

 private:
  [[noreturn]] void Fail(const char* what);

  std::string path_;
  std::string temp_path_;
  int fd_ = -1;
  WriteBuffer buffer_;
};

}  // namespace veltrane

#endif  // VELTRANE_UTIL_OUTPUT_FILE_H_
