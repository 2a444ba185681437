// Merging files into one, in list order, as text: every line of every
// listed file is copied byte for byte, followed by CR LF. Records are not
// parsed, nothing checks that the inputs are ISO files, and a file listed
// twice is copied twice.
#ifndef VELTRANE_OPS_MERGE_ISO_H_
#define VELTRANE_OPS_MERGE_ISO_H_

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "ops/completion.h"
#include "ops/operation.h"

namespace veltrane {

struct MergeIsoOptions {
  std::vector<std::string> input_files;  // "要合并的MARC文件", in order
  std::string output_file;               // "合并后的MARC文件："
};

struct MergeIsoResult {
  int64_t files = 0;
  int64_t failed = 0;     // always 0: nothing is read record by record
  Completion completion;  // "合并完成！"
};

// Checks, in order: the list is not empty ("请选择要合并的MARC文件"), the
// output name is not blank ("请指定合并后的存放文件名"). Progress counts
// the bytes read. A listed file that cannot be read, or an output that
// cannot be written, ends the run with std::system_error naming the file;
// the output is then left as it was before the run.
std::variant<InputProblem, MergeIsoResult> RunMergeIso(
    const MergeIsoOptions& options, OperationHost& host);

}  // namespace veltrane

#endif  // VELTRANE_OPS_MERGE_ISO_H_
