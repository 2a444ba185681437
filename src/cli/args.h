// Command-line parsing for veltrane-cli: options ("--name value",
// "--name=value", flags), positional arguments, and the options every
// command takes (--help, -q/--quiet, --on-error continue|stop).
#ifndef VELTRANE_CLI_ARGS_H_
#define VELTRANE_CLI_ARGS_H_

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace veltrane::cli {

// A command line that does not fit the command's usage (exit status 2).
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct OptionSpec {
  std::set<std::string> flags;   // e.g. "--force"
  std::set<std::string> values;  // e.g. "--format"
};

class ParsedArgs {
 public:
  bool Has(const std::string& option) const { return options_.count(option); }
  // The last value given for `option`.
  std::optional<std::string> Value(const std::string& option) const;
  // Every value given for a repeatable option, in order.
  std::vector<std::string> Values(const std::string& option) const;
  // The value as a whole number; throws UsageError when it is not one.
  std::optional<long long> IntValue(const std::string& option) const;
  // The positional argument `index`, or "" when it was not given (the
  // operation's own check then reports it).
  std::string Positional(size_t index) const {
    return index < positional.size() ? positional[index] : "";
  }

  std::vector<std::string> positional;
  bool help = false;
  bool quiet = false;
  bool stop_on_error = false;

 private:
  friend ParsedArgs ParseArgs(const std::vector<std::string>&,
                              const OptionSpec&);
  std::multimap<std::string, std::string> options_;
};

// Parses `args` (after the command words). Throws UsageError for an unknown
// option, a bad --on-error value, or an option without its value (at the
// end, or followed by another option: "--lacks --common X" names --lacks;
// "--name=-x" gives a value that begins with '-').
ParsedArgs ParseArgs(const std::vector<std::string>& args,
                     const OptionSpec& spec);

}  // namespace veltrane::cli

#endif  // VELTRANE_CLI_ARGS_H_
