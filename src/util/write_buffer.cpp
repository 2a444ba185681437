#include "util/write_buffer.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace veltrane {
namespace {
constexpr size_t kBufferSize = 256 * 1024;
}  // namespace

WriteBuffer::WriteBuffer() : buffer_(kBufferSize) {}

bool WriteBuffer::Append(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    if (used_ == buffer_.size() && !Drain(fd)) return false;
    size_t n = std::min(bytes.size(), buffer_.size() - used_);
    std::memcpy(buffer_.data() + used_, bytes.data(), n);
    used_ += n;
    bytes.remove_prefix(n);
  }
  return true;
}

bool WriteBuffer::Drain(int fd) {
  size_t done = 0;
  while (done < used_) {
    ssize_t n = ::write(fd, buffer_.data() + done, used_ - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      used_ = 0;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  used_ = 0;
  return true;
}

}  // namespace veltrane
