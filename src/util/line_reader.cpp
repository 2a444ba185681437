#include "util/line_reader.h"

#include <algorithm>

namespace veltrane {

std::unique_ptr<LineReader> LineReader::Open(const std::string& path) {
  std::unique_ptr<FileReader> file = FileReader::Open(path);
  if (!file) return nullptr;
  return std::unique_ptr<LineReader>(new LineReader(std::move(file)));
}

bool LineReader::Next(std::string& line) {
  line.clear();
  if (file_->AtEnd()) return false;
  constexpr size_t kChunk = 64 * 1024;
  while (true) {
    std::string_view chunk = file_->Peek(kChunk);
    if (chunk.empty()) return true;
    auto stop = std::find_if(chunk.begin(), chunk.end(),
                             [](char c) { return c == '\n' || c == '\r'; });
    size_t n = static_cast<size_t>(stop - chunk.begin());
    line.append(chunk.substr(0, n));
    if (n == chunk.size()) {
      file_->Skip(n);
      continue;
    }
    bool carriage_return = chunk[n] == '\r';
    file_->Skip(n + 1);
    if (carriage_return) {
      std::string_view next = file_->Peek(1);
      if (!next.empty() && next[0] == '\n') file_->Skip(1);
    }
    return true;
  }
}

}  // namespace veltrane
