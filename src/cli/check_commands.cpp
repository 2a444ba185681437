// veltrane-cli check-marc: the MARC-against-MARC duplicate check, with the
// buyer's records from a MARC file or from table buyer.
#include <memory>

#include "cli/cli_host.h"
#include "cli/commands.h"
#include "cli/outcome.h"
#include "cli/purchasing_support.h"
#include "cli/rule_args.h"
#include "ops/marc_check.h"

namespace veltrane::cli {
namespace {

constexpr char kUsage[] =
    "用法：veltrane-cli check-marc --supplier MARC文件\n"
    "                  (--buyer MARC文件 | --buyer-db [--db 数据库文件])\n"
    "                  [--rule identical|fields|isbn] [--fields 字段表] "
    "[--min N]\n"
    "                  [--isbn-key] [--lacks 输出文件] [--common 输出文件]\n"
    "                  [--common-from buyer|supplier]\n"
    "  利用双方MARC数据自动匹配查重。采购方数据：--buyer 指定的MARC文件，或\n"
    "  --buyer-db：“现场采购”模块导入的采购方MARC数据（--db，默认 "
    "veldata.db）。\n"
    "  --rule：identical 只有双方MARC记录完全一致才认为重复（默认）；\n"
    "          fields 只要字段表中有 N 个字段匹配即认为重复；\n"
    "          isbn 只要ISBN相同就认为重复。\n"
    "  --fields：逗号分割的字段表，默认 200a,010a,010d；--min：N，默认 3。\n"
    "  --isbn-key：对ISBN格式进行转换计算后再确认是否相同。\n"
    "  --lacks：输出采购方没有，供应商有的图书；--common：输出双方都有的图书\n"
    "  （至少指定一个）。--common-from：以采购方为准（buyer，默认）或\n"
    "  以供应方为准（supplier）。\n";

bool ParseCommonFromBuyer(const ParsedArgs& args) {
  const std::string side = args.Value("--common-from").value_or("buyer");
  if (side != "buyer" && side != "supplier") {
    throw UsageError("--common-from 只能是 buyer 或 supplier");
  }
  return side == "buyer";
}

}  // namespace

int RunCheckMarcCommand(const Args& raw) {
  ParsedArgs args =
      ParseArgs(raw, {{"--buyer-db", "--isbn-key"},
                      {"--supplier", "--buyer", "--rule", "--fields", "--min",
                       "--lacks", "--common", "--common-from", "--db"}});
  if (args.help) return PrintUsage(kUsage);
  RequireArguments(args, 0);
  if (args.Has("--buyer") && args.Has("--buyer-db")) {
    throw UsageError("--buyer 和 --buyer-db 只能选一个");
  }
  MarcCheckOptions options;
  options.buyer_source = args.Has("--buyer-db") ? BuyerSource::kDatabase
                         : args.Has("--buyer")  ? BuyerSource::kFile
                                                : BuyerSource::kNone;
  options.buyer_file = args.Value("--buyer").value_or("");
  options.supplier_file = args.Value("--supplier").value_or("");
  options.rule = ParseRule(args);
  options.fields = args.Value("--fields").value_or(options.fields);
  options.threshold = ParseThreshold(args);
  options.isbn_keys = args.Has("--isbn-key");
  options.lacks_file = args.Value("--lacks").value_or("");
  options.common_file = args.Value("--common").value_or("");
  options.common_from_buyer = ParseCommonFromBuyer(args);

  // Choosing the table as the source is refused while it is empty.
  std::unique_ptr<TMainData> data;
  if (options.buyer_source == BuyerSource::kDatabase) {
    data = OpenDatabase(args);
    if (std::optional<std::string> empty = EmptyBuyerTableMessage(*data)) {
      return ReportInputProblem({*empty, "buyer_source"});
    }
  }
  CliHost host(args.stop_on_error);
  return FinishOperation(RunMarcCheck(options, data.get(), host), args);
}

}  // namespace veltrane::cli
