// veltrane-cli modify, dedup-marc, dedup-isbn, split and merge: the MARC
// file utilities.
#include "cli/cli_host.h"
#include "cli/commands.h"
#include "cli/outcome.h"
#include "cli/rule_args.h"
#include "ops/batch_modify.h"
#include "ops/dedup.h"
#include "ops/merge_iso.h"
#include "ops/split_marc.h"
#include "sheet/grid_cell_file.h"

namespace veltrane::cli {
namespace {

constexpr char kSplitUsage[] =
    "用法：veltrane-cli split MARC文件 存放文件名 (--per C | --files F)\n"
    "  分割MARC文件：--per 按每个文件存放 C 条记录分割；--files 平均分割为 F "
    "个文件。\n"
    "  分割后的文件名在存放文件名（去掉结尾的 .iso）后加上序号（从 0 开始）和 "
    ".iso，\n"
    "  如 out.iso 分割为 out0.iso、out1.iso……；已有的文件在其后追加。\n";

constexpr char kMergeUsage[] =
    "用法：veltrane-cli merge 合并后的文件 文件...\n"
    "  合并ISO文件：按所列顺序逐行复制各文件（每行后加 CR "
    "LF），同一文件可列多次。\n";

constexpr char kModifyUsage[] =
    "用法：veltrane-cli modify MARC文件 修改后的文件 --rules 规则文件\n"
    "                  [--renumber 起始号] [--add-missing]\n"
    "  "
    "对MARC文件批量修改：按规则文件（“对MARC文件批量修改”页面“保存内容至文件”\n"
    "  "
    "保存的表格文件：字段、操作、指示符、内容）逐行修改每条记录，后面的行优先。"
    "\n"
    "  --renumber：905b（登录号）根据给定起始号和905f（复本数）重新自动生成。\n"
    "  "
    "--add-"
    "missing：操作是“修改”时，“字段”在原始MARC文件中不存在，采取增加处理。\n";

constexpr char kDedupMarcUsage[] =
    "用法：veltrane-cli dedup-marc MARC文件 去重后MARC文件\n"
    "                  [--rule identical|fields|isbn] [--fields 字段表] "
    "[--min N] [--isbn-key]\n"
    "  对MARC文件去重：每条记录只保留第一次出现的，追加到去重后的文件"
    "（文件中已有的记录也算已保留）。\n"
    "  --rule：identical 只有双方MARC记录完全一致才认为重复（默认）；\n"
    "          fields 只要字段表中有 N 个字段匹配即认为重复；\n"
    "          isbn 只要010a（ISBN）相同就认为重复。\n"
    "  --fields：逗号分割的字段表，默认 200a,010a,010d；--min：N，默认 3。\n"
    "  --isbn-key：对ISBN格式进行转换计算后再确认是否相同。\n";

constexpr char kDedupIsbnUsage[] =
    "用法：veltrane-cli dedup-isbn ISBN文件 去重后ISBN文件\n"
    "  对ISBN文件去重：整行比较，每行只保留第一次出现的，追加到去重后的文件"
    "（文件中已有的行也算已保留）。\n";

void RequireAtMost(const ParsedArgs& args, size_t count) {
  if (args.positional.size() > count) throw UsageError("参数太多");
}

}  // namespace

int RunModifyCommand(const Args& raw) {
  ParsedArgs args =
      ParseArgs(raw, {{"--add-missing"}, {"--rules", "--renumber"}});
  if (args.help) return PrintUsage(kModifyUsage);
  RequireAtMost(args, 2);
  std::optional<std::string> rules_file = args.Value("--rules");
  if (!rules_file) throw UsageError("请用 --rules 指定规则文件");
  BatchModifyOptions options;
  options.marc_file = args.Positional(0);
  options.output_file = args.Positional(1);
  try {
    options.rules = BatchRulesFromGrid(LoadGridCellFile(*rules_file));
  } catch (const GridFileError& error) {
    return ReportInputProblem({error.what(), "rules"});
  }
  options.renumber = args.Has("--renumber");
  options.start_number = args.Value("--renumber").value_or("");
  options.add_when_missing = args.Has("--add-missing");
  CliHost host(args.stop_on_error);
  return FinishOperation(RunBatchModify(options, host), args);
}

int RunDedupMarcCommand(const Args& raw) {
  ParsedArgs args =
      ParseArgs(raw, {{"--isbn-key"}, {"--rule", "--fields", "--min"}});
  if (args.help) return PrintUsage(kDedupMarcUsage);
  RequireAtMost(args, 2);
  DedupMarcOptions options;
  options.marc_file = args.Positional(0);
  options.result_file = args.Positional(1);
  options.rule = ParseRule(args);
  options.fields = args.Value("--fields").value_or(options.fields);
  options.threshold = ParseThreshold(args);
  options.isbn_keys = args.Has("--isbn-key");
  CliHost host(args.stop_on_error);
  return FinishOperation(RunDedupMarc(options, host), args);
}

int RunDedupIsbnCommand(const Args& raw) {
  ParsedArgs args = ParseArgs(raw, {{}, {}});
  if (args.help) return PrintUsage(kDedupIsbnUsage);
  RequireAtMost(args, 2);
  CliHost host(args.stop_on_error);
  return FinishOperation(
      RunDedupIsbn({args.Positional(0), args.Positional(1)}, host), args);
}

int RunSplitCommand(const Args& raw) {
  ParsedArgs args = ParseArgs(raw, {{}, {"--per", "--files"}});
  if (args.help) return PrintUsage(kSplitUsage);
  RequireAtMost(args, 2);
  if (args.Has("--per") && args.Has("--files")) {
    throw UsageError("--per 和 --files 只能选一个");
  }
  SplitMarcOptions options;
  options.marc_file = args.Positional(0);
  options.output_name = args.Positional(1);
  options.mode = args.Has("--per")     ? SplitMode::kPerFile
                 : args.Has("--files") ? SplitMode::kFileCount
                                       : SplitMode::kNone;
  options.records_per_file = args.Value("--per").value_or("");
  options.file_count = args.Value("--files").value_or("");
  CliHost host(args.stop_on_error);
  return FinishOperation(RunSplitMarc(options, host), args);
}

int RunMergeCommand(const Args& raw) {
  ParsedArgs args = ParseArgs(raw, {{}, {}});
  if (args.help) return PrintUsage(kMergeUsage);
  MergeIsoOptions options;
  if (!args.positional.empty()) {
    options.output_file = args.positional.front();
    options.input_files.assign(args.positional.begin() + 1,
                               args.positional.end());
  }
  CliHost host(args.stop_on_error);
  return FinishOperation(RunMergeIso(options, host), args);
}

}  // namespace veltrane::cli
