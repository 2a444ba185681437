// ISBN output: writes the 010 $a of every record of a MARC file to an ISBN
// list file, one line per record (an empty line where a record has none), as
// found or with its hyphens removed.
#ifndef VELTRANE_OPS_ISBN_OUT_H_
#define VELTRANE_OPS_ISBN_OUT_H_

#include <cstdint>
#include <string>
#include <variant>

#include "ops/completion.h"
#include "ops/operation.h"

namespace veltrane {

struct IsbnOutOptions {
  std::string marc_file;
  std::string isbn_file;
  bool strip_hyphens = false;  // "将"-"号去除后输出"
};

struct IsbnOutResult {
  int64_t records = 0;  // records in the file (the counting scan)
  int64_t failed = 0;   // records that could not be read (logged)
  bool cancelled = false;
  Completion completion;
};

class OutputFile;

// What writing the ISBNs of a MARC file did.
struct RecordIsbns {
  int64_t records = 0;  // records in the file (the counting scan)
  int64_t lines = 0;    // lines written
  int64_t failed = 0;
  bool cancelled = false;
};

// Writes the 010 $a of every record of `marc_file` to `out`, one line per
// record (an empty line without one), every "-" removed with
// `strip_hyphens`; reports progress by record number. A record that cannot
// be read is logged, writes no line, and the host decides whether to go on.
RecordIsbns WriteRecordIsbns(const std::string& marc_file, bool strip_hyphens,
                             OutputFile& out, OperationHost& host);

// Checks: the MARC file must exist ("请指定MARC文件。"), the ISBN file name
// must not be blank ("请指定ISBN文件"). The ISBN file is replaced only when
// the run finishes; on an error the old file stays.
std::variant<InputProblem, IsbnOutResult> RunIsbnOut(
    const IsbnOutOptions& options, OperationHost& host);

}  // namespace veltrane

#endif  // VELTRANE_OPS_ISBN_OUT_H_
