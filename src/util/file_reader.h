// Buffered, seekable reading of a regular file with 64-bit positions.
//
// The reader keeps one window of the file in memory. `Peek` hands out views
// into that window without copying, which is what lets the MARC scanner pass
// record texts on at the speed of a plain read.
#ifndef VELTRANE_UTIL_FILE_READER_H_
#define VELTRANE_UTIL_FILE_READER_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

class FileReader {
 public:
  static constexpr size_t kDefaultWindow = size_t{256} << 10;

  // Opens `path` for reading. Returns nullptr when it does not exist, is not a
  // regular file (never blocking on a FIFO) or cannot be opened. The size is
  // taken once, here.
  static std::unique_ptr<FileReader> Open(const std::string& path,
                                          size_t window = kDefaultWindow);
  ~FileReader();
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;

  int64_t size() const { return size_; }
  int64_t position() const {
    return window_pos_ + static_cast<int64_t>(begin_);
  }
  bool AtEnd() const { return position() >= size_; }

  // Up to `n` bytes at the current position without moving it; fewer only at
  // the end of the file. REQUIRES: n <= the window size. The view is valid
  // until the next call that reads or seeks.
  std::string_view Peek(size_t n) {
    if (end_ - begin_ >= n) return std::string_view(buffer_.data() + begin_, n);
    return PeekSlow(n);
  }

  // Moves the position forward by `n` bytes (clamped to the end of the file).
  void Skip(size_t n) {
    if (end_ - begin_ >= n) {
      begin_ += n;
    } else {
      Seek(position() + static_cast<int64_t>(n));
    }
  }

  // Copies up to `n` bytes to the end of `out` and moves past them; returns
  // the number of bytes copied (fewer only at the end of the file).
  size_t AppendTo(std::string& out, size_t n);

  // The next byte, or -1 at the end of the file.
  int ReadByte();

  // Moves the position; a position beyond the end is clamped to the end.
  void Seek(int64_t position) {
    if (position >= window_pos_ &&
        position <= window_pos_ + static_cast<int64_t>(end_)) {
      begin_ = static_cast<size_t>(position - window_pos_);
    } else {
      SeekSlow(position);
    }
  }

  // Throws std::system_error naming the file on an I/O error while reading.
 private:
  FileReader(int fd, std::string path, int64_t size, size_t window);
  std::string_view PeekSlow(size_t n);
  void SeekSlow(int64_t position);
  // Refills so that at least `n` bytes (or all that remain) follow begin_.
  void Fill(size_t n);

  int fd_;
  std::string path_;
  int64_t size_;
  std::vector<char> buffer_;
  int64_t window_pos_ = 0;  // file offset of buffer_[0]
  size_t begin_ = 0;        // current position within buffer_
  size_t end_ = 0;          // valid bytes in buffer_
};

}  // namespace veltrane

#endif  // VELTRANE_UTIL_FILE_READER_H_
