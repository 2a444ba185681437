// The ISBN-file duplicate check: each supplier line is looked up among the
// buyer's lines (exactly, or by IsbnMatchKey) and written to the lacks or
// the common output. The buyer's file is read once into a hash of its lines
// (or keys); outputs are those of the line-by-line comparison.
#ifndef VELTRANE_OPS_ISBN_CHECK_H_
#define VELTRANE_OPS_ISBN_CHECK_H_

#include <cstdint>
#include <string>
#include <variant>

#include "ops/completion.h"
#include "ops/operation.h"

namespace veltrane {

struct IsbnCheckOptions {
  std::string buyer_file;     // "指定采购方ISBN文件:"
  std::string supplier_file;  // "指定供应方ISBN文件:"
  bool isbn_keys = false;     // chkConvISBN06
  std::string lacks_file;
  std::string common_file;
};

struct IsbnCheckResult {
  int64_t supplier_lines = 0;
  int64_t lacking = 0;
  int64_t common = 0;
  int64_t failed = 0;     // always 0: lines cannot fail
  Completion completion;  // "利用双方ISBN文件自动匹配查重完成!"
};

// Checks: the buyer file ("请指定采购方ISBN文件。", input "buyer_file",
// emptied), the supplier file ("请指定供应商方ISBN文件。", input
// "supplier_file", emptied), at least one output
// ("最少需要指定一个输出文件。").
std::variant<InputProblem, IsbnCheckResult> RunIsbnCheck(
    const IsbnCheckOptions& options, OperationHost& host);

}  // namespace veltrane

#endif  // VELTRANE_OPS_ISBN_CHECK_H_
