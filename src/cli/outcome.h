// Turning an operation's outcome into output and an exit status, the same
// way for every operation command.
#ifndef VELTRANE_CLI_OUTCOME_H_
#define VELTRANE_CLI_OUTCOME_H_

#include <stdexcept>
#include <string>
#include <variant>

#include "cli/args.h"
#include "cli/std_streams.h"
#include "ops/completion.h"
#include "ops/operation.h"

namespace veltrane::cli {

constexpr int kExitDone = 0;
constexpr int kExitError = 1;
constexpr int kExitInputProblem = 2;
constexpr int kExitRecordsFailed = 3;

// An input problem found outside an operation (a --db name that is no file,
// an input that cannot be read): main() prints it on stderr, status 2.
class InputProblemError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

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
    PrintLine(CompletionLine(result.completion));
  }
  return result.failed > 0 ? kExitRecordsFailed : kExitDone;
}

}  // namespace veltrane::cli

#endif  // VELTRANE_CLI_OUTCOME_H_
