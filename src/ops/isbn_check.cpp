// Two lines match when they are equal or, with ISBN keys on, when their
// IsbnMatchKey values are equal. Equal lines always have equal keys, so with
// keys on matching is key equality alone, and the buyer's side can be a hash
// set of keys (or of the lines themselves).
#include "ops/isbn_check.h"

#include <memory>
#include <unordered_set>

#include "isbn/convert.h"
#include "marc/text_file.h"
#include "ops/input_checks.h"
#include "util/output_file.h"

namespace veltrane {
std::variant<InputProblem, IsbnCheckResult> RunIsbnCheck(
    const IsbnCheckOptions& options, OperationHost& host) {
  if (!IsExistingFile(options.buyer_file)) {
    return InputProblem{"请指定采购方ISBN文件。", "buyer_file", true};
  }
  if (!IsExistingFile(options.supplier_file)) {
    return InputProblem{"请指定供应商方ISBN文件。", "supplier_file", true};
  }
  if (IsBlankName(options.lacks_file) && IsBlankName(options.common_file)) {
    return InputProblem{"最少需要指定一个输出文件。", "lacks_file", false};
  }
  if (auto problem = CheckRunFiles({{{options.buyer_file, "buyer_file"},
                                     {options.supplier_file, "supplier_file"}},
                                    {{options.lacks_file, "lacks_file"},
                                     {options.common_file, "common_file"}}})) {
    return *problem;
  }

  IsbnCheckResult result;
  host.SetProgressTotal(CountLines(options.supplier_file));
  std::unique_ptr<OutputFile> lacks = OutputIfNamed(options.lacks_file);
  std::unique_ptr<OutputFile> common = OutputIfNamed(options.common_file);

  auto key = [&](const std::string& line) {
    return options.isbn_keys ? IsbnMatchKey(line) : line;
  };
  std::unordered_set<std::string> buyer;
  ForEachLine(options.buyer_file,
              [&](const std::string& line) { buyer.insert(key(line)); });

  ForEachLine(options.supplier_file, [&](const std::string& line) {
    const bool held = buyer.contains(key(line));
    ++(held ? result.common : result.lacking);
    std::unique_ptr<OutputFile>& out = held ? common : lacks;
    if (out) out->WriteLine(line);
    host.SetProgressPosition(++result.supplier_lines);
  });
  if (lacks) lacks->Commit();
  if (common) common->Commit();

  result.completion = {"利用双方ISBN文件自动匹配查重完成!", ""};
  return result;
}

}  // namespace veltrane
