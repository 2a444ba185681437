#include "cli/subcommands.h"

#include <cstdio>

#include "cli/outcome.h"

namespace veltrane::cli {

int RunSubcommand(const Args& raw, const char* usage,
                  std::span<const Subcommand> subcommands) {
  if (raw.empty()) {
    std::fputs(usage, stderr);
    return kExitInputProblem;
  }
  if (raw[0] == "--help" || raw[0] == "-h") return PrintUsage(usage);
  for (const Subcommand& subcommand : subcommands) {
    if (raw[0] != subcommand.name) continue;
    ParsedArgs args =
        ParseArgs(Args(raw.begin() + 1, raw.end()), subcommand.options);
    if (args.help) return PrintUsage(usage);
    return subcommand.run(args);
  }
  throw UsageError(raw[0].starts_with("-") ? "缺少子命令"
                                           : "未知的子命令：" + raw[0]);
}

}  // namespace veltrane::cli
