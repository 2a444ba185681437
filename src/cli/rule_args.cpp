#include "cli/rule_args.h"

#include <limits>

namespace veltrane::cli {

MatchRule ParseRule(const ParsedArgs& args) {
  const std::string rule = args.Value("--rule").value_or("identical");
  if (rule == "identical") return MatchRule::IdenticalRecord;
  if (rule == "fields") return MatchRule::ListedFields;
  if (rule == "isbn") return MatchRule::SameIsbn;
  throw UsageError("--rule 只能是 identical、fields 或 isbn");
}

int ParseThreshold(const ParsedArgs& args) {
  long long threshold = args.IntValue("--min").value_or(3);
  if (threshold < std::numeric_limits<int>::min() ||
      threshold > std::numeric_limits<int>::max()) {
    throw UsageError("--min 超出范围");
  }
  return static_cast<int>(threshold);
}

}  // namespace veltrane::cli
