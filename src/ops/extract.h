// Extraction of the supplier's records for a list of bought ISBNs: every
// supplier record whose 010 $a equals a line of the ISBN file, appended to
// the output MARC file (created when missing; what it held stays), in
// supplier-file order or in ISBN-file order (then once per occurrence of
// the line). The ISBN lines, or the records' 010 $a with their offsets, are
// hashed once; outputs are those of the nested scans.
#ifndef VELTRANE_OPS_EXTRACT_H_
#define VELTRANE_OPS_EXTRACT_H_

#include <cstdint>
#include <string>
#include <variant>

#include "ops/completion.h"
#include "ops/operation.h"

namespace veltrane {

struct ExtractOptions {
  std::string supplier_file;  // "供应商的MARC文件路径："
  std::string isbn_file;      // "要采购的ISBN文件路径："
  bool isbn_order = false;  // "按ISBN文件顺序" (else "按MARC文件顺序")
  std::string output_file;  // "要输出的MARC文件："
};

struct ExtractResult {
  int64_t written = 0;
  int64_t failed = 0;
  bool cancelled = false;
  Completion completion;  // no counts
};

// Checks: the supplier file ("请指定供应商MARC数据文件"), the ISBN file
// ("请指定要采购的ISBN文件！"), the output name
// ("请指定你要输出的ISBN文件的文件名和路径！").
std::variant<InputProblem, ExtractResult> RunExtract(
    const ExtractOptions& options, OperationHost& host);

}  // namespace veltrane

#endif  // VELTRANE_OPS_EXTRACT_H_
