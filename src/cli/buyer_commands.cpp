// veltrane-cli buyer ...: the buyer's catalogue in the purchasing database
// (import, ISBN export, listing and maintenance of table buyer).
#include <cstdio>

#include "cli/cli_host.h"
#include "cli/commands.h"
#include "cli/outcome.h"
#include "cli/purchasing_support.h"
#include "cli/subcommands.h"
#include "ops/buyer_import.h"
#include "ops/purchase_data.h"

namespace veltrane::cli {
namespace {

constexpr char kUsage[] =
    "用法：veltrane-cli buyer 子命令 [选项] [--db 数据库文件]\n"
    "  import MARC文件 [--copies N | --copies-field 字段] [--yes]\n"
    "      导入采购方MARC数据（每条记录一行）；复本数取 N，或取记录中字段的\n"
    "      值（如 905f），都没有或不是整数时为 1。库中已有数据时需要 --yes。\n"
    "  export ISBN文件 [--marc MARC文件]\n"
    "      输出库中采购方数据的ISBN；库为空时输出 MARC文件 中的 010$a。\n"
    "  list                    列出采购方数据（序号、书名、ISBN、复本）\n"
    "  set-copies N            将采购方复本重新设为 N\n"
    "  shift-copies N          将采购方复本统一增减 N\n"
    "  clear [--yes]           清空所有采购方数据\n"
    "--db：数据库文件，默认为当前目录中的 veldata.db（不存在时新建）。\n";

CopyOption ParseCopyOption(const ParsedArgs& args) {
  if (args.Has("--copies") && args.Has("--copies-field")) {
    throw UsageError("--copies 和 --copies-field 只能选一个");
  }
  if (args.Has("--copies")) {
    return {CopyOption::Source::kFixed, *args.Value("--copies")};
  }
  if (args.Has("--copies-field")) {
    return {CopyOption::Source::kField, "", *args.Value("--copies-field")};
  }
  return {};
}

int Import(const ParsedArgs& args) {
  BuyerImportOptions options{OptionalArgument(args), ParseCopyOption(args)};
  std::unique_ptr<TMainData> data = OpenDatabase(args);
  auto plan = PlanBuyerImport(options, *data);
  if (const auto* problem = std::get_if<InputProblem>(&plan)) {
    return ReportInputProblem(*problem);
  }
  std::string question = BuyerImportQuestion(std::get<BuyerImportPlan>(plan));
  if (!question.empty() && !args.Has("--yes")) {
    return ReportUnansweredQuestion(question);
  }
  CliHost host(args.stop_on_error);
  return FinishOperation(RunBuyerImport(options, *data, host), args);
}

int Export(const ParsedArgs& args) {
  BuyerExportOptions options{OptionalArgument(args),
                             args.Value("--marc").value_or("")};
  std::unique_ptr<TMainData> data = OpenDatabase(args);
  CliHost host(args.stop_on_error);
  return FinishOperation(RunBuyerExport(options, *data, host), args);
}

int List(const ParsedArgs& args) {
  RequireArguments(args, 0);
  PrintTableTsv(OpenDatabase(args)->BuyerTable(), kBuyerGrid);
  return kExitDone;
}

int SetCopies(const ParsedArgs& args) {
  std::unique_ptr<TMainData> data = OpenDatabase(args);
  return ChangeEveryCopies(args, *data, data->BuyerTable(), false);
}

int ShiftCopies(const ParsedArgs& args) {
  std::unique_ptr<TMainData> data = OpenDatabase(args);
  return ChangeEveryCopies(args, *data, data->BuyerTable(), true);
}

int Clear(const ParsedArgs& args) {
  RequireArguments(args, 0);
  std::unique_ptr<TMainData> data = OpenDatabase(args);
  return ClearAfterQuestion(args, data->BuyerTable(), ClearBuyerQuestion,
                            [&] { return ClearBuyerData(*data); });
}

}  // namespace

int RunBuyerCommand(const Args& raw) {
  static const Subcommand kSubcommands[] = {
      {"import", {{"--yes"}, {"--db", "--copies", "--copies-field"}}, Import},
      {"export", {{}, {"--db", "--marc"}}, Export},
      {"list", {{}, {"--db"}}, List},
      {"set-copies", {{}, {"--db"}}, SetCopies},
      {"shift-copies", {{}, {"--db"}}, ShiftCopies},
      {"clear", {{"--yes"}, {"--db"}}, Clear},
  };
  return RunSubcommand(raw, kUsage, kSubcommands);
}

}  // namespace veltrane::cli
