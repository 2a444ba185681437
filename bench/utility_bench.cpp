// veltrane-bench-utilities: the MARC file utilities on large generated
// files: de-duplication of MARC and ISBN files beside their nested-loop
// references, batch modification, splitting and merging beside a plain
// copy of the same bytes.
//
//   veltrane-bench-utilities [--records N] [--lines L] [--nested M]
//
// Works in a new folder in $TMPDIR (or /tmp), removed at the end. The MARC
// file holds N generated records (default 1,000,000), 2 in 10 of them
// repeating an earlier book: an exact copy, or the same record with its ISBN
// as a 13-digit barcode. Each de-duplication runs in a child process, so
// that its peak resident memory is its own; it runs on N / 10 and on N
// records, for the growth. The ISBN file holds L lines (default 1,000,000),
// the ISBNs of generated records, which repeat. The nested references run
// on M records or lines (default 3,000) beside the indexed versions, with
// a check that the results are identical. It prints figures; it judges
// nothing.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "bench/bench_util.h"
#include "bench/dedup_reference.h"
#include "bench/marc_generator.h"
#include "bench/tool_main.h"
#include "isbn/convert.h"
#include "marc/record.h"
#include "ops/batch_modify.h"
#include "ops/dedup.h"
#include "ops/merge_iso.h"
#include "ops/split_marc.h"
#include "util/encoding.h"
#include "util/output_file.h"
#include "util/text.h"

namespace veltrane {
namespace {

constexpr const char* kUsage =
    "usage: veltrane-bench-utilities [--records N] [--lines L] [--nested M]\n"
    "  --records N  MARC records (default 1000000)\n"
    "  --lines L    ISBN lines (default 1000000)\n"
    "  --nested M   records and lines of the nested comparisons "
    "(default 3000)\n";

constexpr uint64_t kSeed = 20240303;
constexpr char kStamp[] = "20240101120000.0";

struct Arguments {
  int64_t records = 1000000;
  int64_t lines = 1000000;
  int64_t nested = 3000;
};

std::optional<Arguments> ParseArguments(int argc, char** argv) {
  Arguments args;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    int64_t* target = arg == "--records"  ? &args.records
                      : arg == "--lines"  ? &args.lines
                      : arg == "--nested" ? &args.nested
                                          : nullptr;
    if (target == nullptr || i + 1 >= argc) return std::nullopt;
    std::optional<int64_t> value = ParseInteger(argv[++i]);
    if (!value || *value < 10) return std::nullopt;
    *target = *value;
  }
  return args;
}

// Record `n` of the de-duplication input: in 2 of 10 records an earlier
// book again.
std::string InputRecord(int64_t n) {
  auto text = [](int64_t k) {
    std::string record = GenerateRecord({kSeed, 0.0}, k);
    record.resize(record.size() - 2);
    return record;
  };
  const int64_t earlier = 1 + (n * 7919) % std::max<int64_t>(n - 1, 1);
  switch (n % 10) {
    case 3:
      return text(earlier);
    case 7: {
      TMarcRecord record = TMarcRecord::Create(text(earlier));
      record.ModifyValue(
          "010a", "",
          ConvertIsbn(record.GetValue("010a"), IsbnFormat::ifEan13, false),
          false);
      return record.GetIsoText(kStamp);
    }
    default:
      return text(n);
  }
}

int64_t WriteInput(const std::string& path, int64_t records) {
  OutputFile out(path);
  int64_t bytes = 0;
  for (int64_t n = 1; n <= records; ++n) {
    std::string record = InputRecord(n);
    bytes += static_cast<int64_t>(record.size()) + 2;
    out.WriteLine(record);
  }
  out.Commit();
  return bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

double Megabytes(const std::string& path) {
  return static_cast<double>(std::filesystem::file_size(path)) / 1e6;
}

// User plus system CPU seconds of this process so far.
double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) /
             1e6;
}

// The process's peak resident memory in MB since the last ResetPeak.
double PeakMegabytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with("VmHWM:")) {
      return static_cast<double>(std::stoll(line.substr(6))) * 1024 / 1e6;
    }
  }
  return 0;
}

// Starts the peak anew at the current resident size (Linux clear_refs).
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// Runs `work` in a child process and prints `name`, its wall and CPU time
// (a fresh process counts from zero), its peak resident memory and what
// `work` returns.
void InChild(const std::string& name,
             const std::function<std::string()>& work) {
  std::fflush(stdout);
  const pid_t child = ::fork();
  if (child == 0) {
    ResetPeak();
    const double before = PeakMegabytes();
    auto start = std::chrono::steady_clock::now();
    std::string note = work();
    const double seconds = SecondsSince(start);
    std::printf(
        "%s: %.2f s wall, %.2f s CPU, peak RSS %.0f MB (%.0f MB at the "
        "start)%s%s\n",
        name.c_str(), seconds, CpuSeconds(), PeakMegabytes(), before,
        note.empty() ? "" : ", ", note.c_str());
    std::fflush(stdout);
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
}

// Runs `work` and prints its wall and CPU time and speed over `mb`
// megabytes, and its speed beside the plain copy's `copy_seconds`.
void Timed(const char* name, double mb, double copy_seconds,
           const std::function<std::string()>& work) {
  const double cpu = CpuSeconds();
  auto start = std::chrono::steady_clock::now();
  std::string note = work();
  const double seconds = SecondsSince(start);
  const double cpu_seconds = CpuSeconds() - cpu;
  std::printf(
      "%s: %.2f s wall, %.0f MB/s (%.2f of the plain copy's speed); "
      "%.2f s CPU, %.0f MB/s%s%s\n",
      name, seconds, mb / seconds, copy_seconds / seconds, cpu_seconds,
      mb / cpu_seconds, note.empty() ? "" : ", ", note.c_str());
}

struct Rule {
  const char* name;
  MatchRule rule;
  bool isbn_keys;
};

constexpr Rule kRules[] = {
    {"IdenticalRecord", MatchRule::IdenticalRecord, false},
    {"ListedFields 200a,010a,010d N=3", MatchRule::ListedFields, false},
    {"SameIsbn, keys off", MatchRule::SameIsbn, false},
    {"SameIsbn, keys on", MatchRule::SameIsbn, true},
};

DedupMarcOptions MarcOptions(const std::string& in, const std::string& out,
                             const Rule& rule) {
  DedupMarcOptions options;
  options.marc_file = in;
  options.result_file = out;
  options.rule = rule.rule;
  options.isbn_keys = rule.isbn_keys;
  return options;
}

std::string Kept(const std::variant<InputProblem, DedupResult>& outcome) {
  const DedupResult& result = std::get<DedupResult>(outcome);
  return std::to_string(result.appended) + " of " +
         std::to_string(result.entries) + " kept";
}

void DedupMarc(const WorkFolder& folder, const Arguments& args) {
  for (int64_t records : {args.records / 10, args.records}) {
    const std::string in = folder.Path("dedup-in.iso");
    auto start = std::chrono::steady_clock::now();
    const int64_t bytes = WriteInput(in, records);
    std::printf("generated %lld records (%.0f MB) in %.1f s\n",
                static_cast<long long>(records),
                static_cast<double>(bytes) / 1e6, SecondsSince(start));
    for (const Rule& rule : kRules) {
      const std::string out = folder.Path("dedup-out.iso");
      std::filesystem::remove(out);
      InChild("RunDedupMarc " + std::string(rule.name) + ", " +
                  std::to_string(records) + " records",
              [&] {
                QuietHost host;
                return Kept(RunDedupMarc(MarcOptions(in, out, rule), host));
              });
    }
  }
  const std::string small = folder.Path("nested-in.iso");
  WriteInput(small, args.nested);
  for (const Rule& rule : kRules) {
    const std::string nested_out = folder.Path("nested-out.iso");
    const std::string indexed_out = folder.Path("indexed-out.iso");
    std::filesystem::remove(nested_out);
    std::filesystem::remove(indexed_out);
    auto start = std::chrono::steady_clock::now();
    NestedDedupMarc(MarcOptions(small, nested_out, rule));
    const double nested = SecondsSince(start);
    start = std::chrono::steady_clock::now();
    QuietHost host;
    RunDedupMarc(MarcOptions(small, indexed_out, rule), host);
    const double indexed = SecondsSince(start);
    std::printf(
        "%s, %lld records: nested %.2f s, indexed %.3f s, ratio %.0f, "
        "results %s\n",
        rule.name, static_cast<long long>(args.nested), nested, indexed,
        nested / indexed,
        ReadFile(nested_out) == ReadFile(indexed_out) ? "identical"
                                                      : "DIFFERENT");
  }
}

void DedupIsbn(const WorkFolder& folder, const Arguments& args) {
  for (int64_t lines : {args.lines / 10, args.lines}) {
    const std::string in = folder.Path("isbn-in.txt");
    WriteIsbnFile(in, kSeed, 1, lines);
    const std::string out = folder.Path("isbn-out.txt");
    std::filesystem::remove(out);
    InChild("RunDedupIsbn, " + std::to_string(lines) + " lines", [&] {
      QuietHost host;
      return Kept(RunDedupIsbn({in, out}, host));
    });
  }
  const std::string small = folder.Path("isbn-small.txt");
  WriteIsbnFile(small, kSeed, 1, args.nested);
  const std::string nested_out = folder.Path("isbn-nested.txt");
  const std::string indexed_out = folder.Path("isbn-indexed.txt");
  std::filesystem::remove(nested_out);
  std::filesystem::remove(indexed_out);
  auto start = std::chrono::steady_clock::now();
  NestedDedupIsbn({small, nested_out});
  const double nested = SecondsSince(start);
  start = std::chrono::steady_clock::now();
  QuietHost host;
  RunDedupIsbn({small, indexed_out}, host);
  const double indexed = SecondsSince(start);
  std::printf(
      "ISBN lines, %lld lines: nested %.2f s, indexed %.4f s, ratio "
      "%.0f, results %s\n",
      static_cast<long long>(args.nested), nested, indexed, nested / indexed,
      ReadFile(nested_out) == ReadFile(indexed_out) ? "identical"
                                                    : "DIFFERENT");
}

// A plain copy: read(2) and write(2) in 1 MiB chunks, then fsync.
double PlainCopy(const std::string& from, const std::string& to) {
  auto start = std::chrono::steady_clock::now();
  const int in = ::open(from.c_str(), O_RDONLY);
  const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char> buffer(1 << 20);
  ssize_t n;
  while ((n = ::read(in, buffer.data(), buffer.size())) > 0) {
    if (::write(out, buffer.data(), static_cast<size_t>(n)) != n) break;
  }
  ::fsync(out);
  ::close(in);
  ::close(out);
  return SecondsSince(start);
}

// Ten rows of the kinds a rule table holds.
std::vector<BatchRule> TenRules() {
  auto rule = [](const char* field, int operation, const char* indicator,
                 const char* content) {
    return BatchRule{field, Utf8ToGbk(kBatchOperations[operation]), indicator,
                     Utf8ToGbk(content)};
  };
  return {rule("801", 0, "0", "■aCN■bVeltrane■c20240101"),
          rule("210c", 0, "", "出版社"),
          rule("101a", 1, "0", "chi"),
          rule("200", 1, "1", ""),
          rule("905a", 2, "", ""),
          rule("-01", 2, "", ""),
          rule("606", 3, "", "607"),
          rule("330", 2, "", ""),
          rule("690a", 1, "", "I247.5"),
          rule("701", 3, "", "702")};
}

void FileTools(const WorkFolder& folder, const Arguments& args) {
  const std::string in = folder.Path("tools-in.iso");
  WriteMarcFile(in, {kSeed, 0.0}, args.records / 10);
  const double mb = Megabytes(in);
  const double cpu = CpuSeconds();
  const double copy = PlainCopy(in, folder.Path("copy.iso"));
  std::printf("plain copy of %.0f MB: %.2f s wall, %.0f MB/s; %.2f s CPU\n", mb,
              copy, mb / copy, CpuSeconds() - cpu);
  QuietHost host;
  Timed("RunBatchModify, ten rules and renumbering", mb, copy, [&] {
    RunBatchModify(
        {in, folder.Path("modified.iso"), TenRules(), true, "A0001", false},
        host);
    return std::string();
  });

  SplitMarcOptions split{in, SplitMode::kFileCount, "", "10",
                         folder.Path("part.iso")};
  Timed("RunSplitMarc into 10 files", mb, copy, [&] {
    RunSplitMarc(split, host);
    return std::string();
  });

  MergeIsoOptions merge;
  for (int k = 0; k < 10; ++k) {
    merge.input_files.push_back(SplitFileName(split.output_name, k));
  }
  merge.output_file = folder.Path("merged.iso");
  Timed("RunMergeIso of the 10 files", mb, copy, [&] {
    RunMergeIso(merge, host);
    return std::string();
  });
  std::printf("merged file %s the input\n",
              ReadFile(merge.output_file) == ReadFile(in) ? "identical to"
                                                          : "DIFFERENT from");
}

int Run(const Arguments& args) {
  WorkFolder folder("veltrane-bench-utilities");
  FileTools(folder, args);
  DedupIsbn(folder, args);
  DedupMarc(folder, args);
  return 0;
}

}  // namespace
}  // namespace veltrane

int main(int argc, char** argv) {
  return veltrane::ToolMain(argc, argv, "veltrane-bench-utilities",
                            veltrane::kUsage, veltrane::ParseArguments,
                            veltrane::Run);
}
