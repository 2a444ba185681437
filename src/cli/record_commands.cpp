// veltrane-cli count / show / convert: what the scanner finds in a MARC
// file, and the file in another encoding.
#include <unistd.h>

#include <cstdio>

#include "cli/cli_host.h"
#include "cli/commands.h"
#include "cli/outcome.h"
#include "cli/std_streams.h"
#include "marc/record.h"
#include "marc/record_dump.h"
#include "ops/convert_marc.h"
#include "ops/input_checks.h"
#include "util/encoding.h"
#include "util/text.h"

namespace veltrane::cli {
namespace {

constexpr char kCountUsage[] =
    "用法：veltrane-cli count 文件\n"
    "  输出文件中的记录数（文件不存在时为 0）。\n";

constexpr char kShowUsage[] =
    "用法：veltrane-cli show 文件 [--record N] [--format line|iso|raw]\n"
    "  line（默认）：按字段逐行显示每条记录（或第 N 条）；\n"
    "  iso：由记录模型重新生成的 ISO 2709 记录，每条后加 CR LF；\n"
    "  raw：扫描得到的原始记录，每条后加 CR LF。\n";

constexpr char kConvertUsage[] =
    "用法：veltrane-cli convert MARC文件 输出文件 --to utf-8|gbk\n"
    "  把每条记录的字段内容转换为 UTF-8 或 GBK（GBK 中没有的字符写为 "
    "GB18030），\n"
    "  重新生成记录长度、目次和数据基地址，每条后加 CR LF。\n"
    "  无法解码的记录写入错误日志，不写入输出文件。\n";

enum class ShowFormat { kLine, kIso, kRaw };

ShowFormat ParseShowFormat(const ParsedArgs& args) {
  std::string format = args.Value("--format").value_or("line");
  if (format == "line") return ShowFormat::kLine;
  if (format == "iso") return ShowFormat::kIso;
  if (format == "raw") return ShowFormat::kRaw;
  throw UsageError("--format 只能是 line、iso 或 raw");
}

// An input that exists but cannot be read as a file (a FIFO, a device, a
// folder) would block or count nothing: refused.
void RequireReadable(const std::string& file) {
  if (auto problem = CheckRunFiles({{{file, "file"}}, {}})) {
    throw InputProblemError(problem->message);
  }
}

}  // namespace

int RunCountCommand(const Args& raw) {
  ParsedArgs args = ParseArgs(raw, {});
  if (args.help) return PrintUsage(kCountUsage);
  if (args.positional.size() != 1) throw UsageError("count 需要一个文件名");
  RequireReadable(args.positional[0]);
  PrintLine(std::to_string(CountMarcRecords(args.positional[0])));
  return kExitDone;
}

int RunConvertCommand(const Args& raw) {
  ParsedArgs args = ParseArgs(raw, {{}, {"--to"}});
  if (args.help) return PrintUsage(kConvertUsage);
  if (args.positional.size() > 2) throw UsageError("convert 的参数太多");
  std::string to = args.Value("--to").value_or("");
  if (to != "utf-8" && to != "gbk") {
    throw UsageError("--to 只能是 utf-8 或 gbk");
  }
  ConvertMarcOptions options;
  options.marc_file = args.positional.size() > 0 ? args.positional[0] : "";
  options.output_file = args.positional.size() > 1 ? args.positional[1] : "";
  options.target = to == "gbk" ? TextEncoding::kGbk : TextEncoding::kUtf8;
  CliHost host(args.stop_on_error);
  return FinishOperation(RunConvertMarc(options, host), args);
}

int RunShowCommand(const Args& raw) {
  ParsedArgs args = ParseArgs(raw, {{}, {"--record", "--format"}});
  if (args.help) return PrintUsage(kShowUsage);
  if (args.positional.size() != 1) throw UsageError("show 需要一个文件名");
  const std::string& file = args.positional[0];
  if (!IsExistingFile(file)) throw InputProblemError("文件不存在：" + file);
  RequireReadable(file);
  ShowFormat format = ParseShowFormat(args);
  // On a terminal control bytes are shown, never obeyed.
  const bool terminal = ::isatty(STDOUT_FILENO) == 1;
  auto write = [terminal](std::string_view bytes) {
    WriteStdout(terminal ? EscapeControlsKeepingLines(bytes)
                         : std::string(bytes));
  };
  long long wanted = args.IntValue("--record").value_or(0);
  if (args.Has("--record") && wanted < 1) {
    throw UsageError("--record 从 1 开始");
  }

  CliHost host(args.stop_on_error);
  FailureTally tally(host);
  bool shown = false;
  ScanMarcFile(
      file,
      [&](int64_t rec_no, std::string_view text, bool& cont) {
        if (wanted > 0 && rec_no < wanted) return;
        if (wanted > 0) cont = false;
        shown = true;
        switch (format) {
          case ShowFormat::kRaw:
            write(text);
            WriteStdout("\r\n");
            break;
          case ShowFormat::kIso:
            write(TMarcRecord::Create(text).GetIsoText());
            WriteStdout("\r\n");
            break;
          case ShowFormat::kLine:
            write(DecodeForDisplay(DumpRecordLines(TMarcRecord::Create(text)),
                                   DetectEncoding(text)));
            break;
        }
      },
      tally);
  FlushStdout();
  if (wanted > 0 && !shown) {
    std::fprintf(stderr, "文件中没有第 %lld 条记录：%s\n", wanted,
                 file.c_str());
    return kExitInputProblem;
  }
  return tally.failed() > 0 ? kExitRecordsFailed : kExitDone;
}

}  // namespace veltrane::cli
