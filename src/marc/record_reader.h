// Reading single records again by the offsets a scan reported, for indexes
// that keep offsets instead of whole records.
#ifndef VELTRANE_MARC_RECORD_READER_H_
#define VELTRANE_MARC_RECORD_READER_H_

#include <cstdint>
#include <memory>
#include <string>

#include "util/file_reader.h"

namespace veltrane {

class RecordReader {
 public:
  // Throws std::system_error naming the file when it cannot be opened.
  explicit RecordReader(const std::string& file_name);

  // The record starting at `offset`, exactly as ScanMarcFileAt handed it
  // over: as long as its leader declares, NULs as blanks, blanks where the
  // file ends early. REQUIRES: `offset` came from a scan of this file.
  std::string ReadAt(int64_t offset);

 private:
  std::unique_ptr<FileReader> reader_;
};

}  // namespace veltrane

#endif  // VELTRANE_MARC_RECORD_READER_H_
