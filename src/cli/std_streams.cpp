#include "cli/std_streams.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <system_error>

namespace veltrane::cli {
namespace {

[[noreturn]] void ThrowStdoutError() {
  throw std::system_error(errno != 0 ? errno : EIO, std::generic_category(),
                          "写入标准输出出错");
}

}  // namespace

void WriteStdout(std::string_view bytes) {
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
      std::ferror(stdout)) {
    ThrowStdoutError();
  }
}

void PrintLine(std::string_view line) {
  WriteStdout(line);
  WriteStdout("\n");
}

void FlushStdout() {
  errno = 0;
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) ThrowStdoutError();
}

// Reads stdin with read(2) itself: the standard streams take a read error
// (a folder as stdin) for the end of the input.
bool ReadStdinLine(std::string& line) {
  static std::string pending;
  static size_t start = 0;
  static bool at_end = false;
  size_t newline;
  while ((newline = pending.find('\n', start)) == std::string::npos &&
         !at_end) {
    pending.erase(0, start);
    start = 0;
    char chunk[65536];
    ssize_t got = ::read(STDIN_FILENO, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      throw std::system_error(errno, std::generic_category(),
                              "读取标准输入出错");
    }
    if (got == 0) at_end = true;
    pending.append(chunk, static_cast<size_t>(got));
  }
  if (newline == std::string::npos) {  // the end: a last line without LF
    if (start == pending.size()) return false;
    newline = pending.size();
  }
  line.assign(pending, start, newline - start);
  start = std::min(newline + 1, pending.size());
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

}  // namespace veltrane::cli
