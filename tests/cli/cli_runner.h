// Runs veltrane-cli as a separate process, as a user's shell would.
#ifndef VELTRANE_TESTS_CLI_CLI_RUNNER_H_
#define VELTRANE_TESTS_CLI_CLI_RUNNER_H_

#include <string>
#include <vector>

namespace veltrane::testing {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs veltrane-cli with `args` in `work_dir`, `input` on stdin, and
// VELTRANE_ERROR_LOG pointing at `work_dir`/ErrorLog.txt.
CliRun RunCli(const std::string& work_dir, const std::vector<std::string>& args,
              const std::string& input = "");

}  // namespace veltrane::testing

#endif  // VELTRANE_TESTS_CLI_CLI_RUNNER_H_
