#include "marc/record_reader.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace veltrane {
namespace {

// Reads by offset jump about the file, so each one refills the window: a
// small one keeps that to one short read instead of a megabyte (longer
// records are read in several pieces).
constexpr size_t kWindow = 8 * 1024;

}  // namespace

RecordReader::RecordReader(const std::string& file_name)
    : reader_(FileReader::Open(file_name, kWindow)) {
  if (!reader_) {
    throw std::system_error(ENOENT, std::generic_category(),
                            "无法读取文件：" + file_name);
  }
}

std::string RecordReader::ReadAt(int64_t offset) {
  reader_->Seek(offset);
  std::string_view head = reader_->Peek(5);
  size_t length = 0;
  for (char c : head) length = length * 10 + static_cast<size_t>(c - '0');
  std::string record;
  reader_->AppendTo(record, length);
  std::replace(record.begin(), record.end(), '\0', ' ');
  record.resize(length, ' ');
  return record;
}

}  // namespace veltrane
