#include "util/append_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace veltrane {
namespace {

constexpr size_t kBufferSize = 256 * 1024;

}  // namespace

AppendFile::AppendFile(std::string path)
    : path_(std::move(path)), buffer_(kBufferSize) {}

AppendFile::~AppendFile() {
  if (fd_ < 0) return;
  Drain();
  ::close(fd_);
}

void AppendFile::Open() {
  fd_ = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd_ < 0) Fail();
}

bool AppendFile::Drain() {
  size_t done = 0;
  while (done < used_) {
    ssize_t n = ::write(fd_, buffer_.data() + done, used_ - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  used_ = 0;
  return true;
}

void AppendFile::Fail() {
  int error = errno;
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  used_ = 0;
  throw std::system_error(error, std::generic_category(),
                          "无法写入文件：" + path_);
}

void AppendFile::Write(std::string_view bytes) {
  if (fd_ < 0) Open();
  while (!bytes.empty()) {
    if (used_ == buffer_.size() && !Drain()) Fail();
    size_t n = std::min(bytes.size(), buffer_.size() - used_);
    std::memcpy(buffer_.data() + used_, bytes.data(), n);
    used_ += n;
    bytes.remove_prefix(n);
  }
}

void AppendFile::WriteLine(std::string_view line) {
  Write(line);
  Write("\r\n");
}

void AppendFile::Close() {
  if (fd_ < 0) return;
  if (!Drain() || ::fsync(fd_) != 0) Fail();
  int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) Fail();
}

}  // namespace veltrane
