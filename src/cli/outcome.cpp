#include "cli/outcome.h"

#include <cstdio>

namespace veltrane::cli {

int ReportInputProblem(const InputProblem& problem) {
  std::fprintf(stderr, "%s\n", problem.message.c_str());
  return kExitInputProblem;
}

int ReportUnansweredQuestion(const std::string& question) {
  std::fprintf(stderr, "%s\n", question.c_str());
  return kExitInputProblem;
}

int PrintUsage(const char* usage) {
  WriteStdout(usage);
  return kExitDone;
}

}  // namespace veltrane::cli
