// Dispatch for commands made of subcommands ("buyer import ...", "purchases
// set ..."), each with options of its own.
#ifndef VELTRANE_CLI_SUBCOMMANDS_H_
#define VELTRANE_CLI_SUBCOMMANDS_H_

#include <span>
#include <string>

#include "cli/args.h"
#include "cli/commands.h"

namespace veltrane::cli {

struct Subcommand {
  const char* name;
  OptionSpec options;
  // Receives the arguments after the subcommand word.
  int (*run)(const ParsedArgs& args);
};

// Runs the subcommand named by raw[0] with the rest of `raw` parsed by its
// options; prints `usage` on stdout for --help (status 0) and on stderr when
// no subcommand is given (status 2). Throws UsageError for an unknown
// subcommand or option.
int RunSubcommand(const Args& raw, const char* usage,
                  std::span<const Subcommand> subcommands);

}  // namespace veltrane::cli

#endif  // VELTRANE_CLI_SUBCOMMANDS_H_
