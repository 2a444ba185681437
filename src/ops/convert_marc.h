// Converting a MARC file between GBK and UTF-8: every record transcoded
// (TranscodeRecord) and written to a new file, each followed by CR LF. A
// record that cannot be read or decoded is logged, left out of the output,
// and the host decides whether to go on.
#ifndef VELTRANE_OPS_CONVERT_MARC_H_
#define VELTRANE_OPS_CONVERT_MARC_H_

#include <cstdint>
#include <string>
#include <variant>

#include "ops/completion.h"
#include "ops/operation.h"
#include "util/encoding.h"

namespace veltrane {

struct ConvertMarcOptions {
  std::string marc_file;
  std::string output_file;
  TextEncoding target = TextEncoding::kUtf8;
};

struct ConvertMarcResult {
  int64_t records = 0;  // records in the file (the counting scan)
  int64_t written = 0;  // records written to the output
  int64_t failed = 0;   // records logged and left out
  bool cancelled = false;
  Completion completion;
};

// Checks: the MARC file must exist ("请指定MARC文件。"), the output name must
// not be blank ("请指定输出文件。"). The output replaces its target only when
// the run finishes; on an error the old file stays.
std::variant<InputProblem, ConvertMarcResult> RunConvertMarc(
    const ConvertMarcOptions& options, OperationHost& host);

}  // namespace veltrane

#endif  // VELTRANE_OPS_CONVERT_MARC_H_
