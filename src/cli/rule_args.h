// The duplicate-rule options shared by check-marc and dedup-marc: --rule
// identical|fields|isbn (default identical) and --min N (default 3).
#ifndef VELTRANE_CLI_RULE_ARGS_H_
#define VELTRANE_CLI_RULE_ARGS_H_

#include "cli/args.h"
#include "marc/match.h"

namespace veltrane::cli {

// Throws UsageError for another --rule value.
MatchRule ParseRule(const ParsedArgs& args);

// Throws UsageError when --min is not a whole number in int's range.
int ParseThreshold(const ParsedArgs& args);

}  // namespace veltrane::cli

#endif  // VELTRANE_CLI_RULE_ARGS_H_
