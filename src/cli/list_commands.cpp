// veltrane-cli commands over ISBN list files: check-isbn (the ISBN-file
// duplicate check) and extract (the supplier's records for an ISBN list).
#include "cli/cli_host.h"
#include "cli/commands.h"
#include "cli/outcome.h"
#include "ops/extract.h"
#include "ops/isbn_check.h"

namespace veltrane::cli {
namespace {

constexpr char kCheckIsbnUsage[] =
    "用法：veltrane-cli check-isbn --buyer 文件 --supplier 文件 [--isbn-key]\n"
    "                              [--lacks 输出文件] [--common 输出文件]\n"
    "  利用双方ISBN文件自动匹配查重：逐行比较，每行整行比较。\n"
    "  --lacks：输出采购方没有，供应商有的图书；--common：输出双方都有的图书\n"
    "  "
    "（至少指定一个）。--isbn-key：对ISBN格式进行转换计算后再确认是否相同。\n";

constexpr char kExtractUsage[] =
    "用法：veltrane-cli extract --supplier MARC文件 --isbn-list ISBN文件\n"
    "                           --out 输出文件 [--order marc|isbn]\n"
    "  利用ISBN输出供应商MARC数据：010$a 与 ISBN 文件某行相同的记录\n"
    "  追加到输出文件（不存在时新建）。--order：按MARC文件顺序（marc，\n"
    "  默认）或按ISBN文件顺序（isbn，每行出现一次输出一次）。\n";

// Both commands take options only; a missing one is given to the operation
// as "", and its own check reports it.
void RejectArguments(const ParsedArgs& args) {
  if (!args.positional.empty()) {
    throw UsageError("多余的参数：" + args.positional.front());
  }
}

std::string ValueOrEmpty(const ParsedArgs& args, const std::string& option) {
  return args.Value(option).value_or("");
}

}  // namespace

int RunCheckIsbnCommand(const Args& raw) {
  ParsedArgs args = ParseArgs(
      raw, {{"--isbn-key"}, {"--buyer", "--supplier", "--lacks", "--common"}});
  if (args.help) return PrintUsage(kCheckIsbnUsage);
  RejectArguments(args);
  IsbnCheckOptions options{
      ValueOrEmpty(args, "--buyer"), ValueOrEmpty(args, "--supplier"),
      args.Has("--isbn-key"), ValueOrEmpty(args, "--lacks"),
      ValueOrEmpty(args, "--common")};
  CliHost host(args.stop_on_error);
  return FinishOperation(RunIsbnCheck(options, host), args);
}

int RunExtractCommand(const Args& raw) {
  ParsedArgs args =
      ParseArgs(raw, {{}, {"--supplier", "--isbn-list", "--out", "--order"}});
  if (args.help) return PrintUsage(kExtractUsage);
  RejectArguments(args);
  const std::string order = args.Value("--order").value_or("marc");
  if (order != "marc" && order != "isbn") {
    throw UsageError("--order 只能是 marc 或 isbn");
  }
  ExtractOptions options{ValueOrEmpty(args, "--supplier"),
                         ValueOrEmpty(args, "--isbn-list"), order == "isbn",
                         ValueOrEmpty(args, "--out")};
  CliHost host(args.stop_on_error);
  return FinishOperation(RunExtract(options, host), args);
}

}  // namespace veltrane::cli
