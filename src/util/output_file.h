// A new output file that replaces its target only when the work succeeded.
//
// The bytes go to a temporary file beside the target; `Commit` flushes it to
// disk and renames it over the target. Destroying an uncommitted writer
// deletes the temporary file, so a failed run never leaves a half-written
// file behind and never destroys the file the user had under that name.
//
// The target is the file the name finally leads to: a symbolic link (or a
// chain of them) is written through, and the link stays. A target that
// exists and is not a regular file (a device such as /dev/null, a FIFO, a
// terminal) is written directly, without a temporary file. A replaced
// regular file keeps its permission bits. While the temporary file exists it
// is registered as unfinished (util/unfinished_files.h), so a signal handler
// can remove it.
//
// Whether an output may be written at all (it must not be an input of the
// run or the open database) is checked before by CheckRunFiles
// (ops/input_checks.h).
#ifndef VELTRANE_UTIL_OUTPUT_FILE_H_
#define VELTRANE_UTIL_OUTPUT_FILE_H_

#include <memory>
#include <string>
#include <string_view>

#include "util/unfinished_files.h"
#include "util/write_buffer.h"

namespace veltrane {

class OutputFile {
 public:
  // Creates the temporary file (or opens a non-regular target). Throws
  // std::system_error naming `path` when its folder cannot take a new file,
  // the target is a folder or cannot be opened.
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
  [[noreturn]] void Fail(const char* what, int error);
  void Discard();

  std::string path_;       // as the user named it, for messages
  std::string target_;     // the file the name leads to
  std::string temp_path_;  // empty when written directly or once finished
  std::unique_ptr<UnfinishedFile> unfinished_;
  int fd_ = -1;
  WriteBuffer buffer_;
};

// The file `path` finally names: symbolic links followed (relative ones from
// their own folder) until a name that is no link or does not exist. Throws
// std::system_error (ELOOP) for a chain of more than 40 links.
std::string FollowLinks(const std::string& path);

}  // namespace veltrane

#endif  // VELTRANE_UTIL_OUTPUT_FILE_H_
