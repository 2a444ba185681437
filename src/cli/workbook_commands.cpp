// veltrane-cli commands over workbooks: marc-to-sheet, sheet-to-marc,
// convert-isbn sheet|text and check-sheet.
#include <algorithm>
#include <cstdio>

#include "cli/cli_host.h"
#include "cli/commands.h"
#include "cli/outcome.h"
#include "cli/purchasing_support.h"
#include "cli/subcommands.h"
#include "marc/match.h"
#include "ops/input_checks.h"
#include "ops/isbn_range.h"
#include "ops/isbn_sheet_conversion.h"
#include "ops/isbn_text_conversion.h"
#include "ops/marc_to_sheet.h"
#include "ops/sheet_check.h"
#include "ops/sheet_lists.h"
#include "ops/sheet_to_marc.h"
#include "sheet/grid_cell_file.h"
#include "sheet/workbook_io.h"
#include "util/encoding.h"
#include "util/text.h"

namespace veltrane::cli {
namespace {

constexpr char kMarcToSheetUsage[] =
    "用法：veltrane-cli marc-to-sheet MARC文件 EXCEL文件\n"
    "                  (--table 表格文件 | --field 字段=表头 ...)\n"
    "  把每条记录的指定字段输出到新工作簿的第一个工作表，每个字段一列。\n"
    "  --table：保存的字段表格文件（第一列字段，第二列表头）；\n"
    "  --field：如 --field 010a=ISBN --field 200a=书名，按给出的顺序。\n"
    "  文件名以 .xlsx 结尾时写 .xlsx，否则写 .xls（最多65000条记录）。\n";

constexpr char kSheetToMarcUsage[] =
    "用法：veltrane-cli sheet-to-marc EXCEL文件 MARC文件 [--map 列号=字段 ...]\n"
    "                  [--first-row] [--institution 本馆名称]\n"
    "  把活动工作表的每一行转换为一条MARC记录。各列按第一行的列名自动对应\n"
    "  MARC字段（ISBN→010a、书名→200a ...）；--map（列号从1起）修改或增加\n"
    "  对应关系。--first-row：将第一行也转换为MARC。--institution：写入\n"
    "  801$b 的本馆名称。\n";

constexpr char kConvertIsbnUsage[] =
    "用法：veltrane-cli convert-isbn sheet EXCEL文件 --column 列 --format 0-3\n"
    "                  [--range R] [--force] [--out EXCEL文件] [--in-place]\n"
    "       veltrane-cli convert-isbn text 原始文件 转换后的文件 --format 0-3\n"
    "                  [--range R] [--force] [--start P]\n"
    "  --format：0 ISBN(10位)/ISSN(8位)带\"-\"，1 不带\"-\"，2 13位EAN条形码，\n"
    "            3 13位带\"-\"。--range：转换范围（0 全部转换，默认）。\n"
    "  --force：对校验码不正确和被裁掉校验码的非法ISBN进行强制转换。\n"
    "  sheet：--column 为ISBN列（第一行的列名或从0起的列号），结果在新列\n"
    "         “转换后的ISBN”；--out 写新工作簿，--in-place 写入原文件的\n"
    "         “转换后的表”。\n"
    "  text：每行从第 P 个字节（默认1）开始是ISBN。\n";

constexpr char kCheckSheetUsage[] =
    "用法：veltrane-cli check-sheet --buyer EXCEL文件 --supplier EXCEL文件\n"
    "                  --pair 采购方列=供应方列 [--pair ...] [--any] [--sorted]\n"
    "                  [--buyer-no-heading] [--supplier-no-heading]\n"
    "                  [--result EXCEL文件] [--mark-sources]\n"
    "  利用双方EXCEL文件自动匹配查重。列为第一行的列名或从0起的列号；\n"
    "  默认各对字段都相同才匹配（且），--any：任一对相同即匹配（或）。\n"
    "  --sorted：双方文件已经按匹配字段排序。--result：查重结果工作簿；\n"
    "  --mark-sources：在双方原文件上增加“加了标记之后的表”。\n";

// "LEFT=RIGHT" split at its first "=".
std::pair<std::string, std::string> SplitAssignment(const std::string& text,
                                                    const char* option) {
  const size_t eq = text.find('=');
  if (eq == std::string::npos) {
    throw UsageError(std::string(option) + " 需要 左=右 的形式：" + text);
  }
  return {text.substr(0, eq), text.substr(eq + 1)};
}

std::string CheckedSpec(const std::string& spec) {
  if (!IsValidFieldSpec(spec)) throw UsageError("字段不正确：" + spec);
  return spec;
}

IsbnFormat ParseFormat(const ParsedArgs& args) {
  const std::optional<long long> format = args.IntValue("--format");
  if (!format || *format < 0 || *format > 3) {
    throw UsageError("--format 需要 0 到 3");
  }
  return static_cast<IsbnFormat>(*format);
}

int ParseRange(const ParsedArgs& args, IsbnFormat format) {
  const long long range = args.IntValue("--range").value_or(0);
  if (range < 0 ||
      range >= static_cast<long long>(IsbnRangeCaptions(format).size())) {
    throw UsageError("--range 超出这种格式的转换范围");
  }
  return static_cast<int>(range);
}

// The list in a workbook the user named; an empty list for no name, as the
// page's list before a workbook is opened.
std::optional<Grid> LoadList(const std::string& path) {
  if (path.empty()) return Grid();
  if (!IsExistingFile(path)) return std::nullopt;
  return LoadGridFromWorkbook(path);
}

size_t ColumnOf(const Grid& list, const std::string& name, const char* side) {
  std::optional<size_t> column = FindColumn(list, name);
  if (!column) throw UsageError(std::string(side) + "没有这一列：" + name);
  return *column;
}

int ConvertSheet(const ParsedArgs& args) {
  RequireArguments(args, 1);
  IsbnSheetConversionOptions options;
  options.source_file = args.positional[0];
  options.output_file = args.Value("--out").value_or("");
  options.into_source = args.Has("--in-place");
  options.format = ParseFormat(args);
  options.range = ParseRange(args, options.format);
  options.force = args.Has("--force");
  std::optional<Grid> list = LoadList(options.source_file);
  if (!list) {
    return ReportInputProblem(
        {MissingWorkbookMessage(options.source_file), "source_file"});
  }
  const std::optional<std::string> column = args.Value("--column");
  if (!column) throw UsageError("需要 --column 指定ISBN列");
  if (!FirstRowEmpty(*list)) {
    options.column = static_cast<int>(ColumnOf(*list, *column, "工作表"));
  }
  CliHost host(args.stop_on_error);
  return FinishOperation(RunIsbnSheetConversion(options, *list, host), args);
}

int ConvertText(const ParsedArgs& args) {
  if (args.positional.size() > 2) throw UsageError("参数太多");
  IsbnTextConversionOptions options;
  options.source_file = args.Positional(0);
  options.output_file = args.Positional(1);
  options.format = ParseFormat(args);
  options.range = ParseRange(args, options.format);
  options.force = args.Has("--force");
  options.start = args.Value("--start").value_or("1");
  CliHost host(args.stop_on_error);
  return FinishOperation(RunIsbnTextConversion(options, host), args);
}

}  // namespace

int RunMarcToSheetCommand(const Args& raw) {
  ParsedArgs args = ParseArgs(raw, {{}, {"--table", "--field"}});
  if (args.help) return PrintUsage(kMarcToSheetUsage);
  if (args.positional.size() > 2) throw UsageError("参数太多");
  if (args.Has("--table") && args.Has("--field")) {
    throw UsageError("--table 和 --field 只能选一个");
  }
  MarcToSheetOptions options{args.Positional(0), args.Positional(1), {}};
  if (std::optional<std::string> table = args.Value("--table")) {
    const Grid grid = LoadGridCellFile(*table);
    for (int row = 1; row < grid.rows(); ++row) {
      options.fields.push_back(
          {grid.Cell(0, row), GbkToUtf8(grid.Cell(1, row))});
    }
  }
  for (const std::string& field : args.Values("--field")) {
    auto [spec, heading] = SplitAssignment(field, "--field");
    options.fields.push_back({CheckedSpec(spec), heading});
  }
  CliHost host(args.stop_on_error);
  return FinishOperation(RunMarcToSheet(options, host), args);
}

int RunSheetToMarcCommand(const Args& raw) {
  ParsedArgs args =
      ParseArgs(raw, {{"--first-row"}, {"--map", "--institution"}});
  if (args.help) return PrintUsage(kSheetToMarcUsage);
  if (args.positional.size() > 2) throw UsageError("参数太多");
  SheetToMarcOptions options;
  options.sheet_file = args.Positional(0);
  options.marc_file = args.Positional(1);
  options.first_row_too = args.Has("--first-row");
  options.institution = args.Value("--institution").value_or("");
  if (IsExistingFile(options.sheet_file)) {
    options.columns = ProposeColumnTable(options.sheet_file);
  }
  for (const std::string& map : args.Values("--map")) {
    auto [column, spec] = SplitAssignment(map, "--map");
    const std::optional<int64_t> number = ParseInteger(column);
    if (!number || *number < 1) throw UsageError("--map 的列号从1起：" + map);
    CheckedSpec(spec);
    auto row = std::find_if(options.columns.begin(), options.columns.end(),
                            [&](const ColumnMapping& mapping) {
                              return ParseInteger(mapping.number) == number;
                            });
    if (row == options.columns.end()) {
      options.columns.push_back({std::to_string(*number), "", spec});
    } else {
      row->spec = spec;
    }
  }
  if (std::optional<InputProblem> problem = CheckSheetToMarc(options)) {
    return ReportInputProblem(*problem);
  }
  if (std::optional<std::string> warning =
          SuggestedFieldsWarning(options.columns)) {
    if (!args.quiet) std::fprintf(stderr, "%s\n", warning->c_str());
  }
  CliHost host(args.stop_on_error);
  return FinishOperation(RunSheetToMarc(options, host), args);
}

int RunConvertIsbnCommand(const Args& raw) {
  static const Subcommand kSubcommands[] = {
      {"sheet",
       {{"--force", "--in-place"}, {"--column", "--format", "--range", "--out"}},
       ConvertSheet},
      {"text", {{"--force"}, {"--format", "--range", "--start"}}, ConvertText},
  };
  return RunSubcommand(raw, kConvertIsbnUsage, kSubcommands);
}

int RunCheckSheetCommand(const Args& raw) {
  ParsedArgs args = ParseArgs(
      raw, {{"--any", "--sorted", "--buyer-no-heading", "--supplier-no-heading",
             "--mark-sources"},
            {"--buyer", "--supplier", "--pair", "--result"}});
  if (args.help) return PrintUsage(kCheckSheetUsage);
  RequireArguments(args, 0);
  SheetCheckOptions options;
  options.buyer_file = args.Value("--buyer").value_or("");
  options.supplier_file = args.Value("--supplier").value_or("");
  options.buyer_heading = !args.Has("--buyer-no-heading");
  options.supplier_heading = !args.Has("--supplier-no-heading");
  options.any = args.Has("--any");
  options.sorted = args.Has("--sorted");
  options.result_file = args.Value("--result").value_or("");
  options.mark_sources = args.Has("--mark-sources");
  std::optional<Grid> buyer = LoadList(options.buyer_file);
  if (!buyer) {
    return ReportInputProblem(
        {MissingWorkbookMessage(options.buyer_file), "buyer_file"});
  }
  std::optional<Grid> supplier = LoadList(options.supplier_file);
  if (!supplier) {
    return ReportInputProblem(
        {MissingWorkbookMessage(options.supplier_file), "supplier_file"});
  }
  if (!FirstRowEmpty(*buyer) && !FirstRowEmpty(*supplier)) {
    for (const std::string& pair : args.Values("--pair")) {
      auto [b, s] = SplitAssignment(pair, "--pair");
      options.pairs.push_back(
          {ColumnOf(*buyer, b, "采购方"), ColumnOf(*supplier, s, "供应方")});
    }
  }
  CliHost host(args.stop_on_error);
  return FinishOperation(RunSheetCheck(options, *buyer, *supplier, host), args);
}

}  // namespace veltrane::cli
