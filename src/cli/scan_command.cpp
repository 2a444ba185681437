// veltrane-cli scan: the on-site scanning page on stdin and stdout. Each line
// is what a scanner types into the mode's tab before Enter; each scan prints
// one line at once (flushed, for a terminal driven by a scanner), and a beep
// is "\a" on stderr.
#include <cstdio>
#include <functional>
#include <limits>

#include "cli/commands.h"
#include "cli/outcome.h"
#include "cli/purchasing_support.h"
#include "cli/std_streams.h"
#include "ops/scan_station.h"
#include "util/encoding.h"
#include "util/text.h"

namespace veltrane::cli {
namespace {

constexpr char kUsage[] =
    "用法：veltrane-cli scan [--mode confirm|continuous|remind] "
    "[--convert 0-4]\n"
    "                        [--target N] [--beep-held] [--beep-new] "
    "[--db 数据库文件]\n"
    "  从标准输入逐行读取扫描的条码，每次扫描输出一行结果。\n"
    "  --mode：confirm 逐条确认模式，continuous 连续扫描模式，\n"
    "          remind 简单提醒模式（默认）。\n"
    "  confirm 和 continuous 模式中，\"-\"加条码为剔除。confirm 模式中，采购\n"
    "  扫描后的下一行是采购数量（空行：按建议数量确认）。\n"
    "  --convert：0 ISBN(10位)/ISSN(8位)带\"-\"（默认），1 不带\"-\"，\n"
    "             2 13位EAN条形码，3 13位带\"-\"，4 不作任何转换。\n"
    "  --target：已有数 + 采购 =（默认 1）。\n"
    "  --beep-held / --beep-new：重复时 / 不重复时发出声音提醒（stderr 上的 "
    "\\a）。\n"
    "--db：数据库文件，默认为当前目录中的 veldata.db（不存在时新建）。\n";

constexpr char kInvalidCode[] = "非法ISBN/ISSN";

enum class Mode { kConfirm, kContinuous, kRemind };

Mode ParseMode(const ParsedArgs& args) {
  std::string mode = args.Value("--mode").value_or("remind");
  if (mode == "confirm") return Mode::kConfirm;
  if (mode == "continuous") return Mode::kContinuous;
  if (mode == "remind") return Mode::kRemind;
  throw UsageError("--mode 只能是 confirm、continuous 或 remind");
}

ScanSettings ParseSettings(const ParsedArgs& args) {
  long long conversion = args.IntValue("--convert").value_or(0);
  if (conversion < 0 || conversion > 4) {
    throw UsageError("--convert 只能是 0 到 4");
  }
  long long target = args.IntValue("--target").value_or(1);
  if (target < 1 || target > std::numeric_limits<int>::max()) {
    throw UsageError("--target 至少为 1");
  }
  return ScanSettings{static_cast<int>(conversion), static_cast<int>(target),
                      args.Has("--beep-held"), args.Has("--beep-new")};
}

// One answer line, at once; control characters in it escaped.
// One answer line, at once.
void Answer(const std::string& line) {
  PrintLine(line);
  FlushStdout();
}

// The one line of a scan (nothing for a blank one): the red label's text for
// an invalid code, else `answer` (control characters escaped); the beep
// first.
void Report(const std::optional<ScanEffect>& effect,
            const std::function<std::string()>& answer) {
  if (!effect) return;
  if (effect->beep) std::fputs("\a", stderr);
  Answer(effect->invalid ? kInvalidCode : answer());
}

std::string Digits(std::string_view text) {
  std::string digits;
  for (char c : text) {
    if (IsAsciiDigit(c)) digits += c;
  }
  return digits;
}

// A line "-CODE" is a removal scan of CODE.
bool IsRemoval(const std::string& line) {
  return !line.empty() && line[0] == '-';
}

// Feeds the scan lines to the tab of one mode.
class ScanSession {
 public:
  // REQUIRES: `settings` outlives the session.
  ScanSession(TMainData& data, const ScanSettings& settings, Mode mode)
      : mode_(mode),
        confirm_(data, settings),
        continuous_(data, settings),
        remind_(data, settings) {}

  // `line`: GBK, without its line break.
  void Feed(const std::string& line) {
    switch (mode_) {
      case Mode::kConfirm:
        FeedConfirm(line);
        break;
      case Mode::kContinuous:
        Report(IsRemoval(line) ? continuous_.RemovalScan(line.substr(1))
                               : continuous_.PurchaseScan(line),
               [this] {
                 return EscapeControls(continuous_.last_code().text) + "\t" +
                        EscapeControls(continuous_.result().text);
               });
        break;
      case Mode::kRemind:
        Report(remind_.Scan(line),
               [this] { return EscapeControls(remind_.answer().text); });
        break;
    }
  }

 private:
  // While the quantity field shows, the line is the quantity: its digits,
  // as the field, which takes only digits, would hold them ("2本" is 2, "-1"
  // is 1); an empty line confirms what the field shows.
  void FeedConfirm(const std::string& line) {
    if (confirm_.quantity_visible()) {
      confirm_.ConfirmQuantity(line.empty() ? confirm_.quantity() : Digits(line),
                               purchase_field_);
      Answer(EscapeControls(confirm_.result().text));
      return;
    }
    if (IsRemoval(line)) {
      Report(confirm_.RemovalScan(line.substr(1)),
             [this] { return EscapeControls(confirm_.result().text); });
      return;
    }
    std::optional<ScanEffect> effect = confirm_.PurchaseScan(line);
    if (effect) purchase_field_ = effect->field_text;
    Report(effect,
           [this] {
             return EscapeControls(confirm_.result().text + confirm_.quantity());
           });
  }

  const Mode mode_;
  ConfirmTab confirm_;
  ContinuousTab continuous_;
  RemindTab remind_;
  std::string purchase_field_;  // edtZTCG
};

}  // namespace

int RunScanCommand(const Args& raw) {
  ParsedArgs args =
      ParseArgs(raw, {{"--beep-held", "--beep-new"},
                      {"--db", "--mode", "--convert", "--target"}});
  if (args.help) return PrintUsage(kUsage);
  RequireArguments(args, 0);
  const Mode mode = ParseMode(args);
  const ScanSettings settings = ParseSettings(args);
  std::unique_ptr<TMainData> data = OpenDatabase(args);
  ScanSession session(*data, settings, mode);
  // A database that fails answers that scan with its error (nothing is
  // recorded) and the command ends with status 1 after the last scan.
  int status = kExitDone;
  std::string line;
  while (ReadStdinLine(line)) {
    try {
      session.Feed(Utf8ToGbk(line));
    } catch (const DatabaseError& error) {
      std::fprintf(stderr, "%s\n", error.what());
      Answer(EscapeControls(error.what()));
      status = kExitError;
    }
  }
  return status;
}

}  // namespace veltrane::cli
