// Turning an operation's outcome into output and an exit status, the same
// way for every operation command.
#ifndef VELTRANE_CLI_OUTCOME_H_
#define VELTRANE_CLI_OUTCOME_H_

#include <cstdio>
#include <string>
#include <variant>

#include "cli/args.h"
#include "ops/completion.h"
#include "ops/operation.h"

namespace veltrane::cli {

constexpr int kExitDone = 0;
constexpr int kExitError = 1;
constexpr int kExitInputProblem = 2;
constexpr int kExitRecordsFailed = 3;

// Prints the problem on stderr; status 2.
int ReportInputProblem(const InputProblem& problem);

// A question the command would ask: without --yes it is printed on stderr
// and nothing is done; status 2.
int ReportUnansweredQuestion(const std::string& question);

// Prints the usage text on stdout; status 0.
int PrintUsage(const char* usage);

// The problem on stderr (2), or the completion line on stdout unless quiet
// (3 when records failed, else 0).
template <typename Result>
int FinishOperation(const std::variant<InputProblem, Result>& outcome,
                    const ParsedArgs& args) {
  if (const auto* problem = std::get_if<InputProblem>(&outcome)) {
    return ReportInputProblem(*problem);
  }
  const Result& result = std::get<Result>(outcome);
  if (!args.quiet) {
    std::printf("%s\n", CompletionLine(result.completion).c_str());
  }
  return result.failed > 0 ? kExitRecordsFailed : kExitDone;
}

}  // namespace veltrane::cli

#endif  // VELTRANE_CLI_OUTCOME_H_
