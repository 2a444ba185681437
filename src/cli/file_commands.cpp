// veltrane-cli split and merge: cutting a MARC file into numbered files and
// joining files into one.
#include "cli/cli_host.h"
#include "cli/commands.h"
#include "cli/outcome.h"
#include "ops/merge_iso.h"
#include "ops/split_marc.h"

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

}  // namespace

int RunSplitCommand(const Args& raw) {
  ParsedArgs args = ParseArgs(raw, {{}, {"--per", "--files"}});
  if (args.help) return PrintUsage(kSplitUsage);
  if (args.positional.size() > 2) throw UsageError("split 的参数太多");
  if (args.Has("--per") && args.Has("--files")) {
    throw UsageError("--per 和 --files 只能选一个");
  }
  SplitMarcOptions options;
  options.marc_file = args.positional.size() > 0 ? args.positional[0] : "";
  options.output_name = args.positional.size() > 1 ? args.positional[1] : "";
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
