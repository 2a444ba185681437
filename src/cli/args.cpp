#include "cli/args.h"

#include "util/text.h"

namespace veltrane::cli {
namespace {

// "--x", "-q": not the value of the option before it ("-2" and "-" are).
bool LooksLikeOption(const std::string& arg) {
  return arg.size() >= 2 && arg[0] == '-' && !ParseInteger(arg);
}

}  // namespace

std::optional<std::string> ParsedArgs::Value(const std::string& option) const {
  auto [first, last] = options_.equal_range(option);
  if (first == last) return std::nullopt;
  return std::prev(last)->second;
}

std::vector<std::string> ParsedArgs::Values(const std::string& option) const {
  std::vector<std::string> values;
  auto [first, last] = options_.equal_range(option);
  for (auto it = first; it != last; ++it) values.push_back(it->second);
  return values;
}

std::optional<long long> ParsedArgs::IntValue(const std::string& option) const {
  std::optional<std::string> text = Value(option);
  if (!text) return std::nullopt;
  std::optional<int64_t> number = ParseInteger(*text);
  if (!number) throw UsageError(option + " 需要一个整数：" + *text);
  return *number;
}

ParsedArgs ParseArgs(const std::vector<std::string>& args,
                     const OptionSpec& spec) {
  ParsedArgs parsed;
  bool options_done = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_done || !LooksLikeOption(arg)) {
      parsed.positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options_done = true;
      continue;
    }
    std::string name = arg;
    std::optional<std::string> inline_value;
    if (size_t eq = arg.find('=');
        arg.rfind("--", 0) == 0 && eq != std::string::npos) {
      name = arg.substr(0, eq);
      inline_value = arg.substr(eq + 1);
    }
    if (name == "--help" || name == "-h") {
      parsed.help = true;
    } else if (name == "--quiet" || name == "-q") {
      parsed.quiet = true;
    } else if (name == "--on-error" || spec.values.count(name)) {
      if (!inline_value) {
        if (i + 1 >= args.size() || LooksLikeOption(args[i + 1])) {
          throw UsageError(name + " 缺少参数值");
        }
        inline_value = args[++i];
      }
      if (name == "--on-error") {
        if (*inline_value != "continue" && *inline_value != "stop") {
          throw UsageError("--on-error 只能是 continue 或 stop");
        }
        parsed.stop_on_error = *inline_value == "stop";
      } else {
        parsed.options_.emplace(name, *inline_value);
      }
    } else if (spec.flags.count(name) && !inline_value) {
      parsed.options_.emplace(name, "");
    } else {
      throw UsageError("未知选项：" + arg);
    }
  }
  return parsed;
}

}  // namespace veltrane::cli
