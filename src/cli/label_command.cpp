// veltrane-cli labels: the spine-label list of a MARC file, listed as TSV
// or rendered as a PDF of label sheets.
#include <cstdio>

#include "cli/cli_host.h"
#include "cli/commands.h"
#include "cli/outcome.h"
#include "cli/std_streams.h"
#include "labels/label_renderer.h"
#include "ops/label_list.h"
#include "util/encoding.h"
#include "util/text.h"

namespace veltrane::cli {
namespace {

constexpr char kLabelsUsage[] =
    "用法：veltrane-cli labels MARC文件 [--per-copy] [--split-range]\n"
    "                          [--renumber 起始号] [--sort 列[:desc]]\n"
    "                          (--list | --pdf 输出文件)\n"
    "  书标打印：每条记录一个书标（905$d、905$e、905$v）。\n"
    "  --per-copy：根据905f（复本数）生成记录；--split-range：并将905b\n"
    "  （登录号）进行拆分（需要 --per-copy）；--renumber：905b 根据给定\n"
    "  起始号和905f重新自动生成（不能与 --split-range 同用）。\n"
    "  --sort：按某列排序（字段名如 905d，或列标题），:desc 为降序。\n"
    "  --list：以 TSV 输出书标列表（首行为字段名）；\n"
    "  --pdf：输出书标 PDF（162 x 279 mm 纸，每行三个，每页24个）。\n";

// The field named by `name` (its field name or its grid title), or -1.
int FieldByName(const std::string& name) {
  for (int i = 0; i < kLabelFieldCount; ++i) {
    if (name == kLabelFields[i].name || name == kLabelFields[i].heading) {
      return i;
    }
  }
  return -1;
}

// --sort COLUMN[:desc]; no option: the file's order.
LabelOrder SortOption(const ParsedArgs& args) {
  std::optional<std::string> value = args.Value("--sort");
  if (!value) return {};
  LabelOrder order;
  std::string name = *value;
  if (name.size() > 5 && name.ends_with(":desc")) {
    name.resize(name.size() - 5);
    order.descending = true;
  }
  order.column = FieldByName(name);
  if (order.column < 0) throw UsageError("--sort：没有这一列：" + name);
  return order;
}

LabelListOptions ListOptions(const ParsedArgs& args) {
  if (args.positional.size() != 1) throw UsageError("需要一个MARC文件");
  LabelListOptions options;
  options.marc_file = args.positional[0];
  options.per_copy = args.Has("--per-copy");
  options.split_range = args.Has("--split-range");
  std::optional<std::string> start = args.Value("--renumber");
  options.regenerate = start.has_value();
  options.start_number = Utf8ToGbk(start.value_or(""));
  if (options.split_range && !options.per_copy) {
    throw UsageError("--split-range 需要 --per-copy");
  }
  if (options.split_range && options.regenerate) {
    throw UsageError("--split-range 与 --renumber 不能同时使用");
  }
  return options;
}

void PrintList(const std::vector<LabelRow>& rows) {
  auto print_line = [](const auto& field) {
    std::string line;
    for (int i = 0; i < kLabelFieldCount; ++i) {
      if (i > 0) line += '\t';
      line += field(i);
    }
    PrintLine(line);
  };
  print_line([](int i) { return std::string(kLabelFields[i].name); });
  for (const LabelRow& row : rows) {
    print_line([&](int i) { return EscapeControls(GbkToUtf8(row[i])); });
  }
}

}  // namespace

int RunLabelsCommand(const Args& raw) {
  ParsedArgs args = ParseArgs(raw, {{"--per-copy", "--split-range", "--list"},
                                    {"--renumber", "--sort", "--pdf"}});
  if (args.help) return PrintUsage(kLabelsUsage);
  std::optional<std::string> pdf = args.Value("--pdf");
  if (args.Has("--list") == pdf.has_value()) {
    throw UsageError("需要 --list 或 --pdf 之一");
  }
  if (pdf && pdf->empty()) throw UsageError("--pdf 需要输出文件名");
  LabelListOptions options = ListOptions(args);
  LabelOrder order = SortOption(args);

  if (pdf) {
    if (auto problem = PdfOutputProblem(*pdf, options.marc_file)) {
      return ReportInputProblem({*problem, "pdf"});
    }
  }
  CliHost host(args.stop_on_error);
  auto outcome = LoadLabelList(options, host);
  if (const auto* problem = std::get_if<InputProblem>(&outcome)) {
    return ReportInputProblem(*problem);
  }
  LabelListResult& result = std::get<LabelListResult>(outcome);
  SortLabels(result.rows, order);
  if (pdf) {
    HeadlessGui gui;
    WriteLabelsPdf(*pdf, LabelLayout{}, result.rows);
  } else {
    PrintList(result.rows);
    FlushStdout();
  }
  if (!args.quiet) {
    // With --list, stdout holds the list: the status goes to stderr.
    auto status = [&pdf](const std::string& line) {
      if (pdf) {
        PrintLine(line);
      } else {
        std::fprintf(stderr, "%s\n", line.c_str());
      }
    };
    status(result.status);
    if (options.regenerate) {
      status("起始号：" + GbkToUtf8(result.start_number));
    }
  }
  return result.failed > 0 ? kExitRecordsFailed : kExitDone;
}

}  // namespace veltrane::cli
