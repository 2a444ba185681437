// What the purchasing commands (buyer, purchases, scan) share: the --db
// option, the TSV listing of a table, and the maintenance steps that both
// tables offer (set or shift every copy number, clear after a question).
#ifndef VELTRANE_CLI_PURCHASING_SUPPORT_H_
#define VELTRANE_CLI_PURCHASING_SUPPORT_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "cli/args.h"
#include "db/main_data.h"
#include "ops/purchase_data.h"

namespace veltrane::cli {

// Opens the database named by --db (default "veldata.db" in the current
// folder), creating a missing file. Throws InputProblemError for a name that
// is no file name (DatabaseNameProblem), DatabaseError when it cannot open.
std::unique_ptr<TMainData> OpenDatabase(const ParsedArgs& args);

// The only positional argument, or "" when none is given (the operation's
// own check then reports it). Throws UsageError when there are more.
std::string OptionalArgument(const ParsedArgs& args);

// Throws UsageError unless exactly `count` positional arguments are given.
void RequireArguments(const ParsedArgs& args, size_t count);

// Prints the headings, then every row of `table` (reopened) in recno order,
// fields separated by TAB, GBK decoded to UTF-8 with control characters
// escaped (EscapeControls).
void PrintTableTsv(TableCursor& table, std::span<const GridColumn> columns);

// "set-copies N" / "shift-copies N": the number N (the only positional
// argument) set as, or added to, every row's rsnumber, in one batch of
// writes. Throws UsageError when N is missing or not a whole number.
int ChangeEveryCopies(const ParsedArgs& args, TMainData& data,
                      TableCursor& table, bool shift);

// "clear [--yes]": nothing when the table is empty; else without --yes the
// question on stderr (status 2), with it `clear` and its message on stdout.
int ClearAfterQuestion(
    const ParsedArgs& args, TableCursor& table,
    const std::function<std::string(int64_t)>& question,
    const std::function<std::optional<std::string>()>& clear);

}  // namespace veltrane::cli

#endif  // VELTRANE_CLI_PURCHASING_SUPPORT_H_
