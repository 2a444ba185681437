#include "util/line_copy.h"

#include <cstring>

namespace veltrane {
namespace {

// The position of the first CR or LF in `chunk` at or after `from`, or its
// size. Two memchr passes: string_view::find_first_of tests byte by byte.
size_t NextBreak(std::string_view chunk, size_t from) {
  const char* begin = chunk.data() + from;
  const size_t n = chunk.size() - from;
  const void* cr = std::memchr(begin, '\r', n);
  const void* lf = std::memchr(
      begin, '\n',
      cr ? static_cast<size_t>(static_cast<const char*>(cr) - begin) : n);
  const char* first = static_cast<const char*>(lf ? lf : cr);
  return first ? static_cast<size_t>(first - chunk.data()) : chunk.size();
}

// The length of the longest prefix of `chunk` made of whole lines that
// already end in CR LF (which are copied unchanged, in one piece).
size_t CrLfLinesPrefix(std::string_view chunk) {
  size_t done = 0;
  while (true) {
    const size_t at = NextBreak(chunk, done);
    if (at == chunk.size() || chunk[at] != '\r' || at + 1 == chunk.size() ||
        chunk[at + 1] != '\n') {
      return done;
    }
    done = at + 2;
  }
}

}  // namespace

void CopyLinesCrLf(FileReader& in,
                   const std::function<void(std::string_view)>& write) {
  constexpr size_t kChunk = 64 * 1024;
  bool inside_line = false;  // bytes of a line written, its break not yet
  while (true) {
    std::string_view chunk = in.Peek(kChunk);
    if (chunk.empty()) break;
    if (const size_t whole = CrLfLinesPrefix(chunk); whole > 0) {
      write(chunk.substr(0, whole));
      in.Skip(whole);
      inside_line = false;
      continue;
    }
    // Up to the next break (or the end of the chunk), which is then
    // written as CR LF whatever it was.
    const size_t n = NextBreak(chunk, 0);
    if (n > 0) {
      write(chunk.substr(0, n));
      inside_line = true;
    }
    if (n == chunk.size()) {
      in.Skip(n);
      continue;
    }
    const bool carriage_return = chunk[n] == '\r';
    in.Skip(n + 1);
    if (carriage_return) {
      std::string_view next = in.Peek(1);
      if (!next.empty() && next[0] == '\n') in.Skip(1);
    }
    write("\r\n");
    inside_line = false;
  }
  if (inside_line) write("\r\n");
}

}  // namespace veltrane
