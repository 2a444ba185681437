// veltrane-cli commands that run an operation of a page.
#include "cli/cli_host.h"
#include "cli/commands.h"
#include "cli/outcome.h"
#include "ops/isbn_out.h"

namespace veltrane::cli {
namespace {

constexpr char kIsbnOutUsage[] =
    "用法：veltrane-cli isbn-out MARC文件 ISBN文件 [--strip-hyphens]\n"
    "  把每条记录 010$a 的 ISBN 逐行写入 ISBN 文件（没有时写空行）。\n"
    "  --strip-hyphens：将\"-\"号去除后输出。\n";

}  // namespace

int RunIsbnOutCommand(const Args& raw) {
  ParsedArgs args = ParseArgs(raw, {{"--strip-hyphens"}, {}});
  if (args.help) return PrintUsage(kIsbnOutUsage);
  if (args.positional.size() > 2) throw UsageError("isbn-out 的参数太多");
  IsbnOutOptions options{args.Positional(0), args.Positional(1),
                         args.Has("--strip-hyphens")};
  CliHost host(args.stop_on_error);
  return FinishOperation(RunIsbnOut(options, host), args);
}

}  // namespace veltrane::cli
