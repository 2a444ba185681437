// ScanMarcFile: walks an ISO 2709 file record by record.
//
// Records are found by their leaders. Line breaks, NULs and 0x1D after a
// record are skipped; junk or a damaged length is skipped by searching for the
// next leader, so a broken record never hides the ones after it. A file that
// does not begin with a record yields no record. The file is streamed through
// a buffered reader: memory stays bounded by the largest record plus the
// search window, whatever the file's size (64-bit positions).
#ifndef VELTRANE_MARC_SCANNER_H_
#define VELTRANE_MARC_SCANNER_H_

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace veltrane {

// A handler receives the record number (from 1), the record text (exactly as
// long as its leader declares, NULs turned into blanks; valid only during the
// call) and `cont`, which it sets to false to end the scan. A handler that
// throws has failed on that record, except for the errors that end a whole
// run (see FatalError), which leave the scan as they are.
using MarcRecordHandler =
    std::function<void(int64_t rec_no, std::string_view record, bool& cont)>;

// The same, also told the file offset at which the record starts, so that
// it can be read again later with ReadRecordAt.
using MarcRecordHandlerAt = std::function<void(
    int64_t rec_no, std::string_view record, int64_t offset, bool& cont)>;

// Errors that no single record is to blame for: a failing disk or device
// (std::system_error), memory exhaustion, or any error derived from
// FatalError (a database that stopped working, say).
class FatalError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What the scanner reports about a record its handler failed on.
struct RecordFailure {
  std::string file_name;
  int64_t rec_no = 0;
  std::string_view record;  // valid only during the report
  std::string message;      // the handler's error text (UTF-8)
};

// Decides whether a scan goes on after a failed record ("继续" / "取消").
class RecordFailureListener {
 public:
  virtual ~RecordFailureListener() = default;
  // Called after the failure's error-log entry was written. true: go on with
  // the next record; false: end the scan after this record.
  virtual bool ContinueAfterFailure(const RecordFailure& failure) = 0;
};

// The 8-byte record start test: five digits, a record status a-z, a record
// type of a-g, i-m, r, u, v and a bibliographic level a, c, m or s.
bool IsLeaderStart(std::string_view head);

// Hands every record of `file_name` to `handler` and returns how many it
// handed over (failed ones included); 0 when the file does not exist, cannot
// be opened or holds no record. When the handler throws, an entry is appended
// to the error log and `listener` decides whether to go on. Throws when the
// error log cannot be written or the file cannot be read.
int64_t ScanMarcFile(const std::string& file_name,
                     const MarcRecordHandler& handler,
                     RecordFailureListener& listener);

// ScanMarcFile with the record offsets.
int64_t ScanMarcFileAt(const std::string& file_name,
                       const MarcRecordHandlerAt& handler,
                       RecordFailureListener& listener);

// The number of records ScanMarcFile would hand over.
int64_t CountMarcRecords(const std::string& file_name);

}  // namespace veltrane

#endif  // VELTRANE_MARC_SCANNER_H_
