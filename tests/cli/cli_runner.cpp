#include "cli/cli_runner.h"

#include <sys/wait.h>

#include <cstdlib>

#include "support/test_support.h"

namespace veltrane::testing {
namespace {

std::string Quote(const std::string& arg) {
  std::string out = "'";
  for (char c : arg) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  return out + "'";
}

}  // namespace

CliRun RunCli(const std::string& work_dir, const std::vector<std::string>& args,
              const std::string& input) {
  std::string in = work_dir + "/.stdin", out = work_dir + "/.stdout",
              err = work_dir + "/.stderr";
  WriteFile(in, input);
  std::string command = "cd " + Quote(work_dir) +
                        " && VELTRANE_ERROR_LOG=ErrorLog.txt " +
                        Quote(VELTRANE_CLI_PATH);
  for (const std::string& arg : args) command += " " + Quote(arg);
  command += " <" + Quote(in) + " >" + Quote(out) + " 2>" + Quote(err);
  int raw = std::system(command.c_str());
  CliRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadFile(out);
  run.err = ReadFile(err);
  return run;
}

}  // namespace veltrane::testing
