#include "util/file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace veltrane {

std::unique_ptr<FileReader> FileReader::Open(const std::string& path,
                                             size_t window) {
  // Non-blocking, so that a FIFO without a writer is refused at once instead
  // of blocking in open(); regular files ignore the flag.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return nullptr;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  return std::unique_ptr<FileReader>(
      new FileReader(fd, path, static_cast<int64_t>(st.st_size), window));
}

FileReader::FileReader(int fd, std::string path, int64_t size, size_t window)
    : fd_(fd), path_(std::move(path)), size_(size), buffer_(window) {}

FileReader::~FileReader() { ::close(fd_); }

void FileReader::Fill(size_t n) {
  if (end_ - begin_ >= n) return;
  // Slide the unread bytes to the front, then read behind them.
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    window_pos_ += static_cast<int64_t>(begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  while (end_ < n) {
    int64_t offset = window_pos_ + static_cast<int64_t>(end_);
    if (offset >= size_) return;
    size_t want =
        std::min(buffer_.size() - end_, static_cast<size_t>(size_ - offset));
    ssize_t got = ::pread(fd_, buffer_.data() + end_, want, offset);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw std::system_error(errno, std::generic_category(),
                              "读取文件出错：" + path_);
    }
    if (got == 0) {  // the file shrank under us: treat as its end
      size_ = offset;
      return;
    }
    end_ += static_cast<size_t>(got);
  }
}

std::string_view FileReader::PeekSlow(size_t n) {
  Fill(n);
  return std::string_view(buffer_.data() + begin_, std::min(n, end_ - begin_));
}

size_t FileReader::AppendTo(std::string& out, size_t n) {
  size_t copied = 0;
  while (copied < n) {
    std::string_view chunk = Peek(std::min(n - copied, buffer_.size()));
    if (chunk.empty()) break;
    out.append(chunk);
    begin_ += chunk.size();
    copied += chunk.size();
  }
  return copied;
}

int FileReader::ReadByte() {
  if (begin_ == end_) {
    Fill(1);
    if (begin_ == end_) return -1;
  }
  return static_cast<unsigned char>(buffer_[begin_++]);
}

void FileReader::SeekSlow(int64_t position) {
  position = std::clamp<int64_t>(position, 0, size_);
  if (position >= window_pos_ &&
      position <= window_pos_ + static_cast<int64_t>(end_)) {
    begin_ = static_cast<size_t>(position - window_pos_);
    return;
  }
  window_pos_ = position;
  begin_ = end_ = 0;
}

}  // namespace veltrane
