#include "marc/text_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "util/line_reader.h"

namespace veltrane {

void AppendLine(const std::string& file_name, std::string_view line) {
  int fd = ::open(file_name.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC,
                  0666);
  if (fd < 0) {
    throw std::system_error(errno, std::generic_category(),
                            "无法写入文件：" + file_name);
  }
  std::string bytes(line);
  bytes.append("\r\n");
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      int error = errno;
      ::close(fd);
      throw std::system_error(error, std::generic_category(),
                              "无法写入文件：" + file_name);
    }
    done += static_cast<size_t>(n);
  }
  ::close(fd);
}

bool FileHasLine(const std::string& file_name, std::string_view line) {
  std::unique_ptr<LineReader> reader = LineReader::Open(file_name);
  if (!reader) return false;
  std::string current;
  while (reader->Next(current)) {
    if (current == line) return true;
  }
  return false;
}

int64_t CountLines(const std::string& file_name) {
  std::unique_ptr<LineReader> reader = LineReader::Open(file_name);
  if (!reader) return 0;
  int64_t count = 0;
  std::string current;
  while (reader->Next(current)) ++count;
  return count;
}

void ForEachLine(const std::string& file_name,
                 const std::function<void(const std::string& line)>& visit) {
  std::unique_ptr<LineReader> reader = LineReader::Open(file_name);
  if (!reader) {
    throw std::system_error(ENOENT, std::generic_category(),
                            "无法读取文件：" + file_name);
  }
  std::string line;
  while (reader->Next(line)) visit(line);
}

}  // namespace veltrane
