#include "cli/purchasing_support.h"

#include <stdexcept>

#include "cli/outcome.h"
#include "cli/std_streams.h"
#include "ops/purchase_data.h"
#include "util/encoding.h"
#include "util/text.h"

namespace veltrane::cli {

std::unique_ptr<TMainData> OpenDatabase(const ParsedArgs& args) {
  const std::string path = args.Value("--db").value_or("veldata.db");
  if (std::optional<std::string> problem = DatabaseNameProblem(path)) {
    throw InputProblemError(*problem);
  }
  return TMainData::Open(path);
}

std::string OptionalArgument(const ParsedArgs& args) {
  if (args.positional.size() > 1) throw UsageError("参数太多");
  return args.positional.empty() ? "" : args.positional[0];
}

void RequireArguments(const ParsedArgs& args, size_t count) {
  if (args.positional.size() != count) {
    throw UsageError("需要 " + std::to_string(count) + " 个参数");
  }
}

void PrintTableTsv(TableCursor& table, std::span<const GridColumn> columns) {
  auto print_line =
      [&](const std::function<std::string(const GridColumn&)>& field) {
        std::string line;
        for (size_t i = 0; i < columns.size(); ++i) {
          if (i > 0) line += '\t';
          line += field(columns[i]);
        }
        PrintLine(line);
      };
  print_line([](const GridColumn& column) { return column.heading; });
  table.Reopen();
  for (; !table.Eof(); table.Next()) {
    print_line([&](const GridColumn& column) {
      return EscapeControls(DecodeForDisplay(table.Text(column.column)));
    });
  }
  table.First();
}

int ChangeEveryCopies(const ParsedArgs& args, TMainData& data,
                      TableCursor& table, bool shift) {
  RequireArguments(args, 1);
  std::optional<int64_t> number = ParseInteger(args.positional[0]);
  if (!number) throw UsageError("N 需要一个整数：" + args.positional[0]);
  table.Reopen();
  TMainData::Batch batch(data);
  try {
    if (shift) {
      ShiftAllCopies(table, *number);
    } else {
      SetAllCopies(table, *number);
    }
  } catch (const std::out_of_range& error) {
    throw InputProblemError(error.what());
  }
  batch.Commit();
  return kExitDone;
}

int ClearAfterQuestion(
    const ParsedArgs& args, TableCursor& table,
    const std::function<std::string(int64_t)>& question,
    const std::function<std::optional<std::string>()>& clear) {
  table.Reopen();
  if (table.RecordCount() > 0 && !args.Has("--yes")) {
    return ReportUnansweredQuestion(question(table.RecordCount()));
  }
  std::optional<std::string> message = clear();
  if (message && !args.quiet) PrintLine(*message);
  return kExitDone;
}

}  // namespace veltrane::cli
