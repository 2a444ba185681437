// veltrane-cli purchases ...: the purchases made on site (table locale):
// listing, maintenance and the ISBN list exports.
#include <cstdio>

#include "cli/cli_host.h"
#include "cli/commands.h"
#include "cli/outcome.h"
#include "cli/purchasing_support.h"
#include "cli/subcommands.h"
#include "ops/purchase_data.h"
#include "ops/purchase_sheet_export.h"

namespace veltrane::cli {
namespace {

constexpr char kUsage[] =
    "用法：veltrane-cli purchases 子命令 [选项] [--db 数据库文件]\n"
    "  list                    列出现采数据（序号、ISBN、采购数量、时间）\n"
    "  set N                   将采购数量重新设为 N\n"
    "  shift N                 将采购数量统一增减 N\n"
    "  delete-zero             删除所有数量为零的行\n"
    "  clear [--yes]           清空所有现采数据\n"
    "  export ISBN文件 [--with-copies]\n"
    "      现场采购页的导出：每行一个ISBN；--with-copies：ISBN、空格、复本数\n"
    "  export-text 文件        维护页的导出文本：ISBN、两个空格、采购数量\n"
    "  export-sheet EXCEL文件  维护页的导出EXCEL：序号、ISBN、采购数量、时间\n"
    "                          （.xlsx 结尾时写 .xlsx，否则写 .xls）\n"
    "--db：数据库文件，默认为当前目录中的 veldata.db（不存在时新建）。\n";

int List(const ParsedArgs& args) {
  RequireArguments(args, 0);
  PrintTableTsv(OpenDatabase(args)->LocaleTable(), kPurchaseGrid);
  return kExitDone;
}

int Set(const ParsedArgs& args) {
  std::unique_ptr<TMainData> data = OpenDatabase(args);
  return ChangeEveryCopies(args, *data, data->LocaleTable(), false);
}

int Shift(const ParsedArgs& args) {
  std::unique_ptr<TMainData> data = OpenDatabase(args);
  return ChangeEveryCopies(args, *data, data->LocaleTable(), true);
}

int DeleteZero(const ParsedArgs& args) {
  RequireArguments(args, 0);
  std::unique_ptr<TMainData> data = OpenDatabase(args);
  TableCursor& locale = data->LocaleTable();
  locale.Reopen();
  TMainData::Batch batch(*data);
  DeleteZeroQuantityRows(locale);
  batch.Commit();
  return kExitDone;
}

int Clear(const ParsedArgs& args) {
  RequireArguments(args, 0);
  std::unique_ptr<TMainData> data = OpenDatabase(args);
  return ClearAfterQuestion(args, data->LocaleTable(), ClearPurchaseQuestion,
                            [&] { return ClearPurchaseData(*data); });
}

int Export(const ParsedArgs& args) {
  PurchaseExportOptions options{OptionalArgument(args),
                                args.Has("--with-copies")
                                    ? PurchaseLine::kCodeSpaceCopies
                                    : PurchaseLine::kCodeOnly};
  std::unique_ptr<TMainData> data = OpenDatabase(args);
  CliHost host(args.stop_on_error);
  return FinishOperation(RunPurchaseExport(options, *data, host), args);
}

// The maintenance page offers its text export only while there are
// purchases: with none it does nothing at all.
int ExportText(const ParsedArgs& args) {
  RequireArguments(args, 1);
  std::unique_ptr<TMainData> data = OpenDatabase(args);
  data->LocaleTable().Reopen();
  if (data->LocaleTable().RecordCount() == 0) return kExitDone;
  CliHost host(args.stop_on_error);
  return FinishOperation(RunPurchaseExport({args.positional[0],
                                            PurchaseLine::kCodeTwoSpacesCopies},
                                           *data, host),
                         args);
}

// With no purchases nothing is written; the export still completes.
int ExportSheet(const ParsedArgs& args) {
  RequireArguments(args, 1);
  std::unique_ptr<TMainData> data = OpenDatabase(args);
  CliHost host(args.stop_on_error);
  return FinishOperation(
      RunPurchaseSheetExport({args.positional[0]}, *data, host), args);
}

}  // namespace

int RunPurchasesCommand(const Args& raw) {
  static const Subcommand kSubcommands[] = {
      {"list", {{}, {"--db"}}, List},
      {"set", {{}, {"--db"}}, Set},
      {"shift", {{}, {"--db"}}, Shift},
      {"delete-zero", {{}, {"--db"}}, DeleteZero},
      {"clear", {{"--yes"}, {"--db"}}, Clear},
      {"export", {{"--with-copies"}, {"--db"}}, Export},
      {"export-text", {{}, {"--db"}}, ExportText},
      {"export-sheet", {{}, {"--db"}}, ExportSheet},
  };
  return RunSubcommand(raw, kUsage, kSubcommands);
}

}  // namespace veltrane::cli
