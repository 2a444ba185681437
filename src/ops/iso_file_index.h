// The records of one ISO 2709 file by number, for the record viewer.
//
// Opening a file counts it once and keeps the offset of every record, so any
// record is read at once afterwards. The index remembers which file it
// counted (name, size, modification time); when the name asked for no longer
// describes that file, a record is found again by scanning from the start,
// as a viewer without an index would.
#ifndef VELTRANE_OPS_ISO_FILE_INDEX_H_
#define VELTRANE_OPS_ISO_FILE_INDEX_H_

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "marc/scanner.h"
#include "ops/operation.h"

namespace veltrane {

class IsoFileIndex {
 public:
  // An index of no file: Total() is 0.
  IsoFileIndex() = default;

  // Counts the records of `file_name`, reporting progress in bytes to
  // `host`. A missing or unreadable file gives an index of 0 records. Throws
  // when the file fails while it is read.
  static IsoFileIndex Build(const std::string& file_name, OperationHost& host);

  // True when `file_name` names an existing regular file.
  static bool FileExists(const std::string& file_name);

  int64_t Total() const { return static_cast<int64_t>(offsets_.size()); }

  // True when `file_name` is the file counted, unchanged since.
  bool Describes(const std::string& file_name) const;

  // Hands record `rec_no` (1-based) of `file_name` to `show`, as
  // ScanMarcFile hands records to a handler (a failure is logged and put to
  // `listener`). Reads by offset while the index describes the file, else
  // scans from the start up to that record. Returns false, doing nothing,
  // when the file does not exist; true otherwise (even when the file turned
  // out to hold fewer records).
  bool Show(const std::string& file_name, int64_t rec_no,
            const MarcRecordHandler& show,
            RecordFailureListener& listener) const;

  // The number of the first record after `after` whose text, decoded by its
  // own encoding, contains `needle` (UTF-8; Latin letters in any case).
  // Reports progress in records to `host` and ends early, returning nullopt,
  // when the host asks to stop; nullopt too when no record matches.
  std::optional<int64_t> Find(const std::string& file_name, int64_t after,
                              std::string_view needle,
                              OperationHost& host) const;

 private:
  struct Stamp {
    std::string name;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified;
  };
  static std::optional<Stamp> StampOf(const std::string& file_name);

  std::optional<Stamp> stamp_;
  std::vector<int64_t> offsets_;
};

}  // namespace veltrane

#endif  // VELTRANE_OPS_ISO_FILE_INDEX_H_
