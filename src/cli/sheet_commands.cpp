// veltrane-cli sheet dump: a workbook's sheet as the program reads it.
#include <cstdio>

#include "cli/commands.h"
#include "cli/outcome.h"
#include "cli/purchasing_support.h"
#include "cli/std_streams.h"
#include "cli/subcommands.h"
#include "sheet/workbook_io.h"
#include "util/text.h"

namespace veltrane::cli {
namespace {

constexpr char kUsage[] =
    "用法：veltrane-cli sheet dump 文件 [--sheet 工作表名]\n"
    "  以制表符分隔输出活动工作表（或指定工作表）的已用区域，\n"
    "  每个单元格为程序读取到的文本；控制字符写作 \\t \\n \\r \\\\ \\xHH。\n";

int Dump(const ParsedArgs& args) {
  RequireArguments(args, 1);
  SheetSelection which{SheetSelection::kActive, {}};
  if (auto name = args.Value("--sheet")) which = {SheetSelection::kNamed, *name};
  Workbook workbook = ReadWorkbook(args.positional[0], which);
  const Sheet* sheet = which.kind == SheetSelection::kNamed
                           ? workbook.FindSheet(which.name)
                           : workbook.active_sheet();
  if (!sheet) return kExitDone;
  UsedBlock used = sheet->used();
  for (uint32_t r = 0; r < used.rows; ++r) {
    std::string line;
    for (uint32_t c = 0; c < used.columns; ++c) {
      if (c > 0) line += '\t';
      line += EscapeControls(sheet->Cell(used.first_row + r, used.first_column + c));
    }
    PrintLine(line);
  }
  return kExitDone;
}

}  // namespace

int RunSheetCommand(const Args& raw) {
  static const Subcommand kSubcommands[] = {
      {"dump", {{}, {"--sheet"}}, Dump},
  };
  return RunSubcommand(raw, kUsage, kSubcommands);
}

}  // namespace veltrane::cli
