// The commands of veltrane-cli. Each takes the arguments after its command
// word(s), writes its output and returns the exit status: 0 done, 1 other
// error, 2 input problem or unanswered question, 3 done with failed records.
// Usage errors are thrown as UsageError.
#ifndef VELTRANE_CLI_COMMANDS_H_
#define VELTRANE_CLI_COMMANDS_H_

#include <string>
#include <vector>

namespace veltrane::cli {

using Args = std::vector<std::string>;

int RunIsbnCommand(const Args& args);       // isbn convert|key|hyphens|...
int RunCountCommand(const Args& args);      // count FILE
int RunConvertCommand(const Args& args);    // convert IN OUT --to
int RunShowCommand(const Args& args);       // show FILE [--record N] ...
int RunIsbnOutCommand(const Args& args);    // isbn-out MARC OUT
int RunBuyerCommand(const Args& args);      // buyer import|export|list|...
int RunPurchasesCommand(const Args& args);  // purchases list|set|...|export
int RunScanCommand(const Args& args);       // scan [--mode ...]
int RunCheckMarcCommand(const Args& args);  // check-marc --supplier ...
int RunCheckIsbnCommand(const Args& args);  // check-isbn --buyer ...
int RunExtractCommand(const Args& args);    // extract --supplier ...
int RunModifyCommand(const Args& args);     // modify IN OUT --rules FILE
int RunDedupMarcCommand(const Args& args);  // dedup-marc IN OUT [--rule ...]
int RunDedupIsbnCommand(const Args& args);  // dedup-isbn IN OUT
int RunSplitCommand(const Args& args);      // split IN OUTNAME --per|--files
int RunMergeCommand(const Args& args);      // merge OUT IN...
int RunSheetCommand(const Args& args);      // sheet dump FILE [--sheet NAME]
int RunLabelsCommand(const Args& args);     // labels IN ... --list|--pdf
int RunMarcToSheetCommand(const Args& args);   // marc-to-sheet IN OUT ...
int RunSheetToMarcCommand(const Args& args);   // sheet-to-marc IN OUT ...
int RunConvertIsbnCommand(const Args& args);   // convert-isbn sheet|text
int RunCheckSheetCommand(const Args& args);    // check-sheet --buyer ...

}  // namespace veltrane::cli

#endif  // VELTRANE_CLI_COMMANDS_H_
