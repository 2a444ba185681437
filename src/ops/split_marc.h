// Splitting a MARC file into numbered files, by records per file or into a
// number of files of nearly equal size. Records are copied as the scanner
// hands them over (never parsed), each followed by CR LF, appended to its
// file: an existing file keeps its content.
#ifndef VELTRANE_OPS_SPLIT_MARC_H_
#define VELTRANE_OPS_SPLIT_MARC_H_

#include <cstdint>
#include <string>
#include <variant>

#include "ops/completion.h"
#include "ops/operation.h"

namespace veltrane {

enum class SplitMode {
  kNone,       // no mode chosen yet
  kPerFile,    // "按每个文件存放多少条记录分割："
  kFileCount,  // "平均分割为多少个文件："
};

struct SplitMarcOptions {
  std::string marc_file;  // "要分割的MARC文件："
  SplitMode mode = SplitMode::kNone;
  std::string records_per_file;  // as typed
  std::string file_count;        // as typed
  std::string output_name;       // "请指定分割后的存放文件名："
};

struct SplitMarcResult {
  int64_t records = 0;
  int64_t files = 0;      // output files written to
  int64_t failed = 0;     // always 0: no record is rejected
  Completion completion;  // no count
};

// The name of output file `k` (from 0): `output_name` without a final
// ".iso" (exactly these lower-case bytes), then k, then ".iso".
std::string SplitFileName(const std::string& output_name, int64_t k);

// The file number (from 0) of record `n` (from 1) of `total` records.
int64_t SplitFileOf(SplitMode mode, int64_t count, int64_t total, int64_t n);

// Checks, in order: the MARC file exists ("请指定需要分割的MARC文件"); the
// number of the chosen mode is a whole number with 1 <= c < N records per
// file, or 1 < f < N files ("请指定正确的分割数！", input "records_per_file"
// or "file_count"; also without a mode); the output name is not blank
// ("请指定分割后的存放文件名"). An output that cannot be written ends the
// run (std::system_error); what was appended before stays.
std::variant<InputProblem, SplitMarcResult> RunSplitMarc(
    const SplitMarcOptions& options, OperationHost& host);

}  // namespace veltrane

#endif  // VELTRANE_OPS_SPLIT_MARC_H_
