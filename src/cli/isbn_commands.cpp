// veltrane-cli isbn ...: the ISBN toolkit on codes given as arguments or as
// stdin lines, one result line per code.
#include <cstdio>
#include <functional>

#include "cli/commands.h"
#include "cli/outcome.h"
#include "cli/std_streams.h"
#include "isbn/check_digit.h"
#include "isbn/convert.h"
#include "isbn/hyphenation.h"
#include "isbn/isbn_ranges.h"
#include "isbn/range_store.h"
#include "isbn/scanned_code.h"
#include "util/text.h"

namespace veltrane::cli {
namespace {

constexpr char kUsage[] =
    "用法：veltrane-cli isbn 子命令 [选项] [代码...]\n"
    "  convert --format 0|1|2|3 [--force]   转换格式（0 ISBN/ISSN 带\"-\"，\n"
    "                                       1 不带\"-\"，2 13位EAN条形码，\n"
    "                                       3 13位带\"-\"）\n"
    "  key                                  查重比较键\n"
    "  hyphens                              加\"-\"的显示格式\n"
    "  recognise                            "
    "识别扫描的条码：代码<TAB>valid|invalid\n"
    "  check-digit isbn10|issn|ean13        校验位\n"
    "  ranges [--load RangeMessage.xml]     使用中的ISBN范围数据的日期；\n"
    "                                       --load 保存更新的范围数据\n"
    "没有给出代码时，从标准输入逐行读取，每行一个代码。\n";

// Calls `each` for every code: the arguments, or else the lines of stdin
// (line breaks removed, nothing else). Returns the worst status `each` gave.
int ForEachCode(const std::vector<std::string>& codes,
                const std::function<int(const std::string&)>& each) {
  int status = kExitDone;
  auto run = [&](const std::string& code) {
    status = std::max(status, each(code));
  };
  if (!codes.empty()) {
    for (const std::string& code : codes) run(code);
    return status;
  }
  std::string line;
  while (ReadStdinLine(line)) run(line);
  return status;
}

// One result line; control characters in it escaped.
int PrintResult(const std::string& text) {
  PrintLine(EscapeControls(text));
  return kExitDone;
}

int RunCheckDigit(const ParsedArgs& args) {
  if (args.positional.size() < 2) {
    throw UsageError("check-digit 需要 isbn10、issn 或 ean13");
  }
  const std::string& kind = args.positional[1];
  std::function<std::string(std::string_view)> compute;
  if (kind == "isbn10") {
    compute = Isbn10CheckDigit;
  } else if (kind == "issn") {
    compute = IssnCheckDigit;
  } else if (kind == "ean13") {
    compute = Ean13CheckDigit;
  } else {
    throw UsageError("未知的校验位类型：" + kind);
  }
  std::vector<std::string> codes(args.positional.begin() + 2,
                                 args.positional.end());
  return ForEachCode(codes, [&](const std::string& digits) {
    std::string check = compute(digits);
    PrintLine(check);
    if (!check.empty()) return kExitDone;
    std::fprintf(stderr, "无法计算校验位：%s\n", digits.c_str());
    return kExitInputProblem;
  });
}

// `isbn ranges`: the date and source of the range table in use; with
// --load, first stores a newer range message for both programs.
int RunRanges(const ParsedArgs& args) {
  if (std::optional<std::string> source = args.Value("--load")) {
    try {
      const IsbnRanges& stored = StoreRangeMessage(*source);
      if (!args.quiet) {
        PrintLine("已保存ISBN范围数据：" + stored.date() + "\t" +
                  StoredRangeMessagePath());
      }
      return kExitDone;
    } catch (const std::runtime_error& error) {
      std::fprintf(stderr, "%s\n", error.what());
      return kExitInputProblem;
    }
  }
  const std::string problem = ReloadActiveIsbnRanges();
  if (!problem.empty()) {
    std::fprintf(stderr, "未使用保存的ISBN范围数据：%s\n", problem.c_str());
  }
  const IsbnRanges& active = ActiveIsbnRanges();
  const bool built_in = &active == &IsbnRanges::BuiltIn();
  PrintLine(active.date() + "\t" +
            (built_in ? std::string("内置") : StoredRangeMessagePath()));
  return kExitDone;
}

}  // namespace

int RunIsbnCommand(const Args& raw) {
  ParsedArgs args = ParseArgs(raw, {{"--force"}, {"--format", "--load"}});
  if (args.help) return PrintUsage(kUsage);
  if (args.positional.empty()) {
    std::fputs(kUsage, stderr);
    return kExitInputProblem;
  }
  const std::string& sub = args.positional[0];
  std::vector<std::string> codes(args.positional.begin() + 1,
                                 args.positional.end());
  if (sub == "convert") {
    std::optional<long long> format = args.IntValue("--format");
    if (!format || *format < 0 || *format > 3) {
      throw UsageError("convert 需要 --format 0、1、2 或 3");
    }
    bool force = args.Has("--force");
    return ForEachCode(codes, [&](const std::string& code) {
      return PrintResult(
          ConvertIsbn(code, static_cast<IsbnFormat>(*format), force));
    });
  }
  if (sub == "key") {
    return ForEachCode(codes, [](const std::string& code) {
      return PrintResult(IsbnMatchKey(code));
    });
  }
  if (sub == "hyphens") {
    return ForEachCode(codes, [](const std::string& code) {
      return PrintResult(AddIsbnHyphens(code));
    });
  }
  if (sub == "recognise") {
    return ForEachCode(codes, [](const std::string& code) {
      ScannedCode scanned = RecogniseScannedCode(code);
      PrintLine(EscapeControls(scanned.Code) + "\t" +
                (scanned.Valid ? "valid" : "invalid"));
      return kExitDone;
    });
  }
  if (sub == "check-digit") return RunCheckDigit(args);
  if (sub == "ranges") return RunRanges(args);
  throw UsageError("未知的 isbn 子命令：" + sub);
}

}  // namespace veltrane::cli
