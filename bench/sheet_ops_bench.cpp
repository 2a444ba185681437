// veltrane-bench-sheet-ops: the workbook operations on large inputs.
//
//   veltrane-bench-sheet-ops [--rows R] [--records M] [--sheet-rows T]
//                         [--read-rows B] [--nested N]
//
// In a new folder in $TMPDIR (or /tmp), removed at the end:
// - check-sheet: two generated lists of R rows (default 100,000; ISBN, title
//   and price from pools of R/2 values) written as .xlsx, then, for "且" on
//   ISBN and title, "或" on the same pairs, and the sorted mode on sorted
//   lists: the time to load both workbooks, RunSheetCheck with its result
//   workbook, and the whole;
// - the matching alone against the nested-loop reference on lists of N rows
//   (default 3,000) in each mode, with the ratio and whether the marks agree;
// - marc-to-sheet: M generated records (default 65,000) x 4 columns into .xls;
// - sheet-to-marc: T rows (default 100,000) of an .xlsx into records;
// - reading an .xlsx of B rows (default 1,000,000) x 3 columns in a fresh
//   process (this program run with --read FILE): the time and the peak
//   resident memory of the read, against the bytes of cell text kept.
// It prints figures; it judges nothing.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <variant>

#include "bench/bench_util.h"
#include "bench/marc_generator.h"
#include "bench/sheet_check_reference.h"
#include "bench/sheet_generator.h"
#include "bench/tool_main.h"
#include "ops/marc_to_sheet.h"
#include "ops/sheet_check.h"
#include "ops/sheet_to_marc.h"
#include "sheet/workbook_io.h"
#include "util/text.h"

namespace veltrane {
namespace {

constexpr const char* kUsage =
    "usage: veltrane-bench-sheet-ops [--rows R] [--records M] [--sheet-rows T]\n"
    "                             [--read-rows B] [--nested N]\n"
    "       veltrane-bench-sheet-ops --read FILE\n";

struct Arguments {
  int64_t rows = 100000;
  int64_t records = 65000;
  int64_t sheet_rows = 100000;
  int64_t read_rows = 1000000;
  int64_t nested = 3000;
  std::string read;  // --read: only read this workbook and report
};

std::optional<Arguments> ParseArguments(int argc, char** argv) {
  Arguments args;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string_view arg = argv[i];
    if (arg == "--read") {
      args.read = argv[i + 1];
      continue;
    }
    int64_t* target = arg == "--rows"         ? &args.rows
                      : arg == "--records"    ? &args.records
                      : arg == "--sheet-rows" ? &args.sheet_rows
                      : arg == "--read-rows"  ? &args.read_rows
                      : arg == "--nested"     ? &args.nested
                                              : nullptr;
    std::optional<int64_t> value = ParseInteger(argv[i + 1]);
    if (target == nullptr || !value || *value <= 0) return std::nullopt;
    *target = *value;
  }
  if (argc % 2 == 0) return std::nullopt;
  return args;
}

double PeakMegabytes(int who) {
  rusage usage{};
  getrusage(who, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void WriteList(const Grid& list, const std::string& path) {
  WriteWorkbook(Workbook{{SheetFromGrid(list, "Sheet1")}, 0}, path);
}

void CheckSheets(const Arguments& args, const WorkFolder& folder) {
  struct Mode {
    const char* name;
    bool any;
    bool sorted;
  } modes[] = {{"且 (ISBN, title)", false, false},
               {"或 (ISBN, title)", true, false},
               {"且, sorted lists", false, true}};
  const size_t distinct = static_cast<size_t>(args.rows / 2);
  for (const Mode& mode : modes) {
    const std::string buyer_file = folder.Path("buyer.xlsx");
    const std::string supplier_file = folder.Path("supplier.xlsx");
    WriteList(GenerateSheetList({1, static_cast<size_t>(args.rows), distinct,
                                 0.0, mode.sorted}),
              buyer_file);
    WriteList(GenerateSheetList({2, static_cast<size_t>(args.rows), distinct,
                                 0.0, mode.sorted}),
              supplier_file);
    auto start = std::chrono::steady_clock::now();
    Grid buyer = LoadGridFromWorkbook(buyer_file);
    Grid supplier = LoadGridFromWorkbook(supplier_file);
    const double load = SecondsSince(start);
    SheetCheckOptions options;
    options.pairs = {{0, 0}, {1, 1}};
    options.any = mode.any;
    options.sorted = mode.sorted;
    options.result_file = folder.Path("result.xlsx");
    QuietHost host;
    auto check = std::chrono::steady_clock::now();
    auto outcome = RunSheetCheck(options, buyer, supplier, host);
    const double run = SecondsSince(check);
    const auto& result = std::get<SheetCheckResult>(outcome);
    std::printf(
        "check-sheet %lld x %lld, %s: load %.2f s, check and result %.2f s, "
        "total %.2f s; %lld buyer and %lld supplier rows marked\n",
        static_cast<long long>(args.rows), static_cast<long long>(args.rows),
        mode.name, load, run, load + run,
        static_cast<long long>(result.buyer_marked),
        static_cast<long long>(result.supplier_marked));
  }
}

void CompareWithNested(const Arguments& args) {
  const size_t rows = static_cast<size_t>(args.nested);
  for (bool sorted : {false, true}) {
    for (bool any : {false, true}) {
      const Grid buyer = GenerateSheetList({3, rows, rows / 2, 0.0, sorted});
      const Grid supplier = GenerateSheetList({4, rows, rows / 2, 0.0, sorted});
      const SheetMatchSpec spec{{{0, 0}, {1, 1}}, any, sorted, 1, 1};
      QuietHost host;
      auto start = std::chrono::steady_clock::now();
      const SheetMarks indexed = *MatchSheetRows(buyer, supplier, spec, host);
      const double fast = SecondsSince(start);
      start = std::chrono::steady_clock::now();
      const SheetMarks nested = NestedSheetMatch(buyer, supplier, spec);
      const double slow = SecondsSince(start);
      std::printf(
          "matching %zu x %zu, %s%s: indexed %.4f s, nested %.2f s, ratio "
          "%.0fx, marks %s\n",
          rows, rows, any ? "或" : "且", sorted ? ", sorted" : "", fast, slow,
          slow / (fast > 0 ? fast : 1e-9),
          indexed.buyer == nested.buyer && indexed.supplier == nested.supplier
              ? "identical"
              : "DIFFERENT");
    }
  }
}

void MarcToSheet(const Arguments& args, const WorkFolder& folder) {
  const std::string marc = folder.Path("records.iso");
  WriteMarcFile(marc, {7, 0.0}, args.records);
  MarcToSheetOptions options{marc,
                             folder.Path("records.xls"),
                             {{"010a", "ISBN"},
                              {"200a", "书名"},
                              {"200f", "作者"},
                              {"010d", "单价"}}};
  QuietHost host;
  auto start = std::chrono::steady_clock::now();
  auto outcome = RunMarcToSheet(options, host);
  std::printf("marc-to-sheet %lld records x 4 columns into .xls: %.2f s%s\n",
              static_cast<long long>(args.records), SecondsSince(start),
              std::holds_alternative<InputProblem>(outcome) ? " (refused)" : "");
}

void SheetToMarc(const Arguments& args, const WorkFolder& folder) {
  const std::string sheet = folder.Path("rows.xlsx");
  Grid list = GenerateSheetList(
      {5, static_cast<size_t>(args.sheet_rows), 1000, 0.0, false});
  list.SetCell(2, 0, "定价");
  WriteList(list, sheet);
  SheetToMarcOptions options;
  options.sheet_file = sheet;
  options.marc_file = folder.Path("rows.iso");
  options.columns = ProposeColumnTable(sheet);
  QuietHost host;
  auto start = std::chrono::steady_clock::now();
  auto outcome = RunSheetToMarc(options, host);
  std::printf("sheet-to-marc %lld rows of .xlsx: %.2f s, %lld records\n",
              static_cast<long long>(args.sheet_rows), SecondsSince(start),
              static_cast<long long>(
                  std::get<SheetToMarcResult>(outcome).records));
}

// Reads `path` in this process and reports time, cells and peak memory.
int ReadOnly(const std::string& path) {
  auto start = std::chrono::steady_clock::now();
  const Workbook workbook = ReadWorkbook(path, {SheetSelection::kActive, ""});
  const double seconds = SecondsSince(start);
  size_t cells = 0, bytes = 0;
  workbook.active_sheet()->ForEachCell(
      [&](uint32_t, uint32_t, std::string_view text) {
        ++cells;
        bytes += text.size();
      });
  std::printf(
      "read %s: %.2f s, %zu cells holding %.1f MB of text, peak resident "
      "memory %.1f MB\n",
      path.c_str(), seconds, cells, static_cast<double>(bytes) / 1048576.0,
      PeakMegabytes(RUSAGE_SELF));
  return 0;
}

// The read in a fresh process, so that the memory figure is the read's own.
void ReadLarge(const Arguments& args, const WorkFolder& folder) {
  const std::string path = folder.Path("large.xlsx");
  WriteList(GenerateSheetList(
                {6, static_cast<size_t>(args.read_rows), 100000, 0.0, false}),
            path);
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    execl("/proc/self/exe", "veltrane-bench-sheet-ops", "--read", path.c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
}

int Run(const Arguments& args) {
  if (!args.read.empty()) return ReadOnly(args.read);
  WorkFolder folder("veltrane-bench-sheet-ops");
  CheckSheets(args, folder);
  CompareWithNested(args);
  MarcToSheet(args, folder);
  SheetToMarc(args, folder);
  ReadLarge(args, folder);
  return 0;
}

}  // namespace
}  // namespace veltrane

int main(int argc, char** argv) {
  return veltrane::ToolMain(argc, argv, "veltrane-bench-sheet-ops",
                            veltrane::kUsage, veltrane::ParseArguments,
                            veltrane::Run);
}
