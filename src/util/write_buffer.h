// The write buffer in front of a file descriptor that the output writers
// (OutputFile, AppendFile) share.
#ifndef VELTRANE_UTIL_WRITE_BUFFER_H_
#define VELTRANE_UTIL_WRITE_BUFFER_H_

#include <string_view>
#include <vector>

namespace veltrane {

class WriteBuffer {
 public:
  WriteBuffer();

  // Buffers `bytes`, writing the buffer to `fd` whenever it is full. False
  // (errno set) when a write fails.
  bool Append(int fd, std::string_view bytes);
  // Writes everything buffered to `fd`. False (errno set) when that fails;
  // the buffer is empty afterwards either way.
  bool Drain(int fd);

 private:
  std::vector<char> buffer_;
  size_t used_ = 0;
};

}  // namespace veltrane

#endif  // VELTRANE_UTIL_WRITE_BUFFER_H_
