// veltrane-bench-lists: the ISBN-file duplicate check and the extraction by
// ISBN list on large files, and both against their nested-loop references
// on a small pair.
//
//   veltrane-bench-lists [--lines N] [--records R] [--isbns I]
//
// In a new folder in $TMPDIR (or /tmp) it generates a buyer list of N lines
// (default 1,000,000) and a supplier list of N lines overlapping half of it
// (every other supplier line as a 13-digit barcode), a supplier MARC file of
// R records (default 1,000,000) and a list of I (default 100,000) ISBNs of
// random records in random order. Each run happens in a child process, so
// that its peak resident memory (getrusage) is its own. Then, on a small
// pair, the nested references run beside the indexed operations, whose
// outputs must be the same bytes. The folder is removed at the end. It
// prints figures; it judges nothing.
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
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "bench/bench_util.h"
#include "bench/list_reference.h"
#include "bench/marc_generator.h"
#include "bench/tool_main.h"
#include "isbn/check_digit.h"
#include "isbn/convert.h"
#include "isbn/hyphenation.h"
#include "marc/scanner.h"
#include "marc/text_file.h"
#include "ops/extract.h"
#include "ops/isbn_check.h"
#include "util/output_file.h"
#include "util/text.h"

namespace veltrane {
namespace {

constexpr const char* kUsage =
    "usage: veltrane-bench-lists [--lines N] [--records R] [--isbns I]\n"
    "  --lines N    lines of each ISBN list of the check (default 1000000)\n"
    "  --records R  records of the supplier MARC file (default 1000000)\n"
    "  --isbns I    ISBNs to extract from it (default 100000)\n";

constexpr uint64_t kSeed = 20240101;

// The small pair: supplier lines or ISBN lines against buyer lines or
// records; the nested ISBN-order extraction, which parses the whole supplier
// file once per ISBN line, gets fewer lines.
constexpr int64_t kSmallOuter = 2000;
constexpr int64_t kSmallInner = 20000;
constexpr int64_t kSmallIsbnOrderLines = 200;

struct Arguments {
  int64_t lines = 1000000;
  int64_t records = 1000000;
  int64_t isbns = 100000;
};

std::optional<Arguments> ParseArguments(int argc, char** argv) {
  Arguments args;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (i + 1 >= argc) return std::nullopt;
    std::optional<int64_t> value = ParseInteger(argv[++i]);
    if (!value || *value <= 0) return std::nullopt;
    if (arg == "--lines") {
      args.lines = *value;
    } else if (arg == "--records") {
      args.records = *value;
    } else if (arg == "--isbns") {
      args.isbns = *value;
    } else {
      return std::nullopt;
    }
  }
  return args;
}

struct Measured {
  double seconds = 0;
  double peak_mb = 0;
};

// Runs `work` in a child process; its wall time and peak resident memory.
Measured InChild(const std::function<void()>& work) {
  std::fflush(stdout);
  auto start = std::chrono::steady_clock::now();
  pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    try {
      work();
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s\n", e.what());
      ::_exit(1);
    }
    ::_exit(0);
  }
  int status = 0;
  struct rusage usage {};
  ::wait4(pid, &status, 0, &usage);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error("a measured run failed");
  }
  return {SecondsSince(start), static_cast<double>(usage.ru_maxrss) / 1e3};
}

void Print(const std::string& what, const Measured& m,
           const std::string& note = "") {
  std::printf("%-52s %8.2f s  peak %7.1f MB  %s\n", what.c_str(), m.seconds,
              m.peak_mb, note.c_str());
}

std::string Lines(const std::string& file) {
  return std::to_string(CountLines(file)) + " lines";
}

std::string Megabytes(const std::string& file) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f MB",
                static_cast<double>(std::filesystem::file_size(file)) / 1e6);
  return text;
}

// The n-th of 10^8 distinct hyphenated ISBN-10s of group 7 (the generated
// records' ISBNs repeat, which would shrink the hashed side).
std::string DistinctIsbn(int64_t n) {
  std::string digits = "7";
  digits += ZeroPadded(static_cast<uint64_t>(n) * 48271 % 100000000, 8);
  return HyphenateIsbn10(digits + Isbn10CheckDigit(digits));
}

// DistinctIsbn of first .. first + count - 1; with `mixed`, every other one
// as a 13-digit barcode.
void WriteIsbnList(const std::string& path, int64_t first, int64_t count,
                   bool mixed) {
  OutputFile out(path);
  for (int64_t n = first; n < first + count; ++n) {
    std::string isbn = DistinctIsbn(n);
    out.WriteLine(mixed && n % 2 ? ConvertIsbn(isbn, IsbnFormat::ifEan13, false)
                                 : isbn);
  }
  out.Commit();
}

// The ISBNs of `count` random records among 1 .. records * 5 / 4 (about a
// fifth of them beyond the supplier file), in random order.
void WriteRandomIsbnFile(const std::string& path, int64_t records,
                         int64_t count) {
  std::mt19937_64 rng(kSeed);
  const uint64_t range = static_cast<uint64_t>(records + records / 4);
  OutputFile out(path);
  for (int64_t i = 0; i < count; ++i) {
    out.WriteLine(GenerateIsbn(kSeed, 1 + static_cast<int64_t>(rng() % range)));
  }
  out.Commit();
}

// Reads the whole file in 1 MiB chunks and drops the bytes: the floor of
// any pass over it.
void ReadThrough(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> chunk(size_t{1} << 20);
  while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()))) {
  }
}

void CheckIsbns(const WorkFolder& dir, const std::string& buyer,
                const std::string& supplier, bool keys) {
  QuietHost host;
  RunIsbnCheck({dir.Path(buyer), dir.Path(supplier), keys,
                dir.Path("lacks.txt"), dir.Path("common.txt")},
               host);
}

void Extract(const WorkFolder& dir, const std::string& supplier,
             const std::string& isbns, bool isbn_order) {
  std::filesystem::remove(dir.Path("out.iso"));
  QuietHost host;
  RunExtract(
      {dir.Path(supplier), dir.Path(isbns), isbn_order, dir.Path("out.iso")},
      host);
}

void BenchLargeLists(const WorkFolder& dir, const Arguments& args) {
  WriteIsbnList(dir.Path("buyer.txt"), 1, args.lines, false);
  WriteIsbnList(dir.Path("supplier.txt"), args.lines / 2 + 1, args.lines, true);
  std::printf("ISBN lists: %lld buyer lines, %lld supplier lines\n",
              static_cast<long long>(args.lines),
              static_cast<long long>(args.lines));
  Print("plain read of both lists (ForEachLine)", InChild([&] {
          int64_t n = 0;
          auto count = [&](const std::string&) { ++n; };
          ForEachLine(dir.Path("buyer.txt"), count);
          ForEachLine(dir.Path("supplier.txt"), count);
        }));
  for (bool keys : {false, true}) {
    Measured m =
        InChild([&] { CheckIsbns(dir, "buyer.txt", "supplier.txt", keys); });
    Print(keys ? "RunIsbnCheck, ISBN keys on" : "RunIsbnCheck, keys off", m,
          "lacks " + Lines(dir.Path("lacks.txt")) + ", common " +
              Lines(dir.Path("common.txt")));
  }
}

void BenchLargeExtraction(const WorkFolder& dir, const Arguments& args) {
  auto start = std::chrono::steady_clock::now();
  GeneratedFile file =
      WriteMarcFile(dir.Path("supplier.iso"), {kSeed, 0.0}, args.records);
  WriteRandomIsbnFile(dir.Path("isbns.txt"), args.records, args.isbns);
  std::printf(
      "\nExtraction: %lld supplier records (%.1f MB, generated in %.1f s), "
      "%lld ISBNs in random order\n",
      static_cast<long long>(file.records),
      static_cast<double>(file.bytes) / 1e6, SecondsSince(start),
      static_cast<long long>(args.isbns));
  Print("plain read(2) of the supplier file",
        InChild([&] { ReadThrough(dir.Path("supplier.iso")); }));
  for (bool isbn_order : {false, true}) {
    Measured m =
        InChild([&] { Extract(dir, "supplier.iso", "isbns.txt", isbn_order); });
    Print(isbn_order ? "RunExtract, ISBN-file order"
                     : "RunExtract, MARC-file order",
          m,
          "output " + Megabytes(dir.Path("out.iso")) + ", " +
              std::to_string(CountMarcRecords(dir.Path("out.iso"))) +
              " records");
  }
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A file of ours and the reference's file that must hold the same bytes.
using OutputPair = std::pair<std::string, std::string>;

// Times `indexed` and `nested`; prints both, their ratio and whether the
// outputs came out the same.
void Compare(const WorkFolder& dir, const std::string& what,
             const std::function<void()>& indexed,
             const std::function<void()>& nested,
             const std::vector<OutputPair>& outputs) {
  Measured fast = InChild(indexed);
  Measured slow = InChild(nested);
  bool same = true;
  for (const auto& [ours, reference] : outputs) {
    same = same && FileBytes(dir.Path(ours)) == FileBytes(dir.Path(reference));
  }
  std::printf("%-44s indexed %7.3f s, nested %7.2f s, ratio %5.0fx, %s\n",
              what.c_str(), fast.seconds, slow.seconds,
              slow.seconds / fast.seconds,
              same ? "outputs identical" : "OUTPUTS DIFFER");
}

void BenchSmallPair(const WorkFolder& dir) {
  std::printf("\nSmall pair, indexed against the nested references:\n");
  WriteIsbnList(dir.Path("small_buyer.txt"), 1, kSmallInner, false);
  WriteIsbnList(dir.Path("small_supplier.txt"),
                kSmallInner - kSmallOuter / 2 + 1, kSmallOuter, true);
  for (bool keys : {false, true}) {
    Compare(
        dir,
        std::string("check ") + std::to_string(kSmallOuter) + " x " +
            std::to_string(kSmallInner) + " lines, keys " +
            (keys ? "on" : "off"),
        [&] { CheckIsbns(dir, "small_buyer.txt", "small_supplier.txt", keys); },
        [&] {
          NestedIsbnCheck(
              dir.Path("small_buyer.txt"), dir.Path("small_supplier.txt"), keys,
              dir.Path("nested_lacks.txt"), dir.Path("nested_common.txt"));
        },
        {{"lacks.txt", "nested_lacks.txt"},
         {"common.txt", "nested_common.txt"}});
  }

  WriteMarcFile(dir.Path("small.iso"), {kSeed, 0.0}, kSmallInner);
  for (bool isbn_order : {false, true}) {
    const int64_t lines = isbn_order ? kSmallIsbnOrderLines : kSmallOuter;
    WriteRandomIsbnFile(dir.Path("small_isbns.txt"), kSmallInner, lines);
    Compare(
        dir,
        std::string("extract ") + std::to_string(lines) + " x " +
            std::to_string(kSmallInner) + " records, " +
            (isbn_order ? "ISBN order" : "MARC order"),
        [&] { Extract(dir, "small.iso", "small_isbns.txt", isbn_order); },
        [&] {
          std::filesystem::remove(dir.Path("nested.iso"));
          QuietHost host;
          NestedExtract(dir.Path("small.iso"), dir.Path("small_isbns.txt"),
                        isbn_order, dir.Path("nested.iso"), host);
        },
        {{"out.iso", "nested.iso"}});
  }
}

int Run(const Arguments& args) {
  WorkFolder dir("veltrane-bench-lists");
  BenchLargeLists(dir, args);
  BenchLargeExtraction(dir, args);
  BenchSmallPair(dir);
  return 0;
}

}  // namespace
}  // namespace veltrane

int main(int argc, char** argv) {
  return veltrane::ToolMain(argc, argv, "veltrane-bench-lists",
                            veltrane::kUsage, veltrane::ParseArguments,
                            veltrane::Run);
}
