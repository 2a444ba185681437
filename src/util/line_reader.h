// Streams the lines of a text file. A line ends at CR LF, LF or a lone CR;
// the break is not part of the line. A final line without a break counts, a
// break at the very end adds no empty line.
#ifndef VELTRANE_UTIL_LINE_READER_H_
#define VELTRANE_UTIL_LINE_READER_H_

#include <memory>
#include <string>

#include "util/file_reader.h"

namespace veltrane {

class LineReader {
 public:
  // nullptr when the file does not exist or cannot be opened.
  static std::unique_ptr<LineReader> Open(const std::string& path);

  // Reads the next line into `line`; false at the end of the file.
  bool Next(std::string& line);

 private:
  explicit LineReader(std::unique_ptr<FileReader> file)
      : file_(std::move(file)) {}
  std::unique_ptr<FileReader> file_;
};

}  // namespace veltrane

#endif  // VELTRANE_UTIL_LINE_READER_H_
