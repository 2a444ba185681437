#include "util/append_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace veltrane {

AppendFile::AppendFile(std::string path) : path_(std::move(path)) {}

AppendFile::~AppendFile() {
  if (fd_ < 0) return;
  buffer_.Drain(fd_);
  ::close(fd_);
}

void AppendFile::Open() {
  fd_ = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd_ < 0) Fail();
}

void AppendFile::Fail() {
  int error = errno;
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  throw std::system_error(error, std::generic_category(),
                          "无法写入文件：" + path_);
}

void AppendFile::Write(std::string_view bytes) {
  if (fd_ < 0) Open();
  if (!buffer_.Append(fd_, bytes)) Fail();
}

void AppendFile::WriteLine(std::string_view line) {
  Write(line);
  Write("\r\n");
}

void AppendFile::Close() {
  if (fd_ < 0) return;
  if (!buffer_.Drain(fd_) || ::fsync(fd_) != 0) Fail();
  int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) Fail();
}

}  // namespace veltrane
