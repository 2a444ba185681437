// The shared main() of the benchmark tools: parse, run, report.
#ifndef VELTRANE_BENCH_TOOL_MAIN_H_
#define VELTRANE_BENCH_TOOL_MAIN_H_

#include <cstdio>
#include <exception>
#include <optional>

namespace veltrane {

// Parses the arguments with `parse` (nullopt: prints `usage`, status 2) and
// runs `run`; an exception is printed after `name`, status 1.
template <typename Parse, typename Run>
int ToolMain(int argc, char** argv, const char* name, const char* usage,
             Parse parse, Run run) {
  auto args = parse(argc, argv);
  if (!args) {
    std::fputs(usage, stderr);
    return 2;
  }
  try {
    return run(*args);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", name, e.what());
    return 1;
  }
}

}  // namespace veltrane

#endif  // VELTRANE_BENCH_TOOL_MAIN_H_
