// veltrane-bench-check-marc: how long the indexed MARC-against-MARC check
// takes on a large pair of files, how much memory it holds, and how it
// compares with the nested loops it replaces.
//
//   veltrane-bench-check-marc [--buyer N] [--supplier S]
//                             [--nested-buyer N2] [--nested-supplier S2]
//
// Generates, in a new folder in $TMPDIR (or /tmp), a buyer file of N records
// (default 1,000,000) and a supplier file of S records (default 100,000), 30%
// of them taken from the buyer's books: an exact copy, the same record with
// its ISBN as a 13-digit barcode, or another record with the same ISBN. Times
// RunMarcCheck on them (both outputs, "以采购方为准") under the ISBN rule
// with ISBN keys off and on and under the field rule "200a,010a,010d", N = 3,
// and reports the peak resident memory. Then times NestedMarcCheck and
// RunMarcCheck on a pair of N2 (default 20,000) and S2 (default 2,000)
// records built the same way, and whether their outputs are identical. The
// folder is removed at the end. It prints figures; it judges nothing.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "bench/bench_util.h"
#include "bench/marc_check_reference.h"
#include "bench/marc_generator.h"
#include "bench/tool_main.h"
#include "isbn/convert.h"
#include "marc/record.h"
#include "ops/marc_check.h"
#include "util/output_file.h"
#include "util/text.h"

namespace veltrane {
namespace {

constexpr const char* kUsage =
    "usage: veltrane-bench-check-marc [--buyer N] [--supplier S]\n"
    "                                 [--nested-buyer N2] "
    "[--nested-supplier S2]\n"
    "  --buyer N            buyer records (default 1000000)\n"
    "  --supplier S         supplier records (default 100000)\n"
    "  --nested-buyer N2    buyer records of the nested comparison "
    "(default 20000)\n"
    "  --nested-supplier S2 supplier records of the nested comparison "
    "(default 2000)\n";

constexpr uint64_t kBuyerSeed = 20240101;
constexpr uint64_t kSupplierSeed = 20240202;
constexpr char kStamp[] = "20240101120000.0";

struct Arguments {
  int64_t buyer = 1000000;
  int64_t supplier = 100000;
  int64_t nested_buyer = 20000;
  int64_t nested_supplier = 2000;
};

std::optional<Arguments> ParseArguments(int argc, char** argv) {
  Arguments args;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    int64_t* target = arg == "--buyer"             ? &args.buyer
                      : arg == "--supplier"        ? &args.supplier
                      : arg == "--nested-buyer"    ? &args.nested_buyer
                      : arg == "--nested-supplier" ? &args.nested_supplier
                                                   : nullptr;
    if (target == nullptr || i + 1 >= argc) return std::nullopt;
    std::optional<int64_t> value = ParseInteger(argv[++i]);
    if (!value || *value <= 0) return std::nullopt;
    *target = *value;
  }
  return args;
}

// Generated record `n` without its CR LF.
std::string RecordText(uint64_t seed, int64_t n) {
  std::string text = GenerateRecord({seed, 0.0}, n);
  text.resize(text.size() - 2);
  return text;
}

// Supplier record `n`: in 3 of 10 records a book of the buyer's
// `buyer_records`, else a book of the supplier's own.
std::string SupplierRecord(int64_t n, int64_t buyer_records) {
  const int64_t book = 1 + (n * 7919) % buyer_records;
  switch (n % 10) {
    case 0:
      return RecordText(kBuyerSeed, book);
    case 1: {
      TMarcRecord record = TMarcRecord::Create(RecordText(kBuyerSeed, book));
      record.ModifyValue(
          "010a", "",
          ConvertIsbn(record.GetValue("010a"), IsbnFormat::ifEan13, false),
          false);
      return record.GetIsoText(kStamp);
    }
    case 2: {
      TMarcRecord record = TMarcRecord::Create(RecordText(kSupplierSeed, n));
      record.ModifyValue("010a", "", GenerateIsbn(kBuyerSeed, book), false);
      return record.GetIsoText(kStamp);
    }
    default:
      return RecordText(kSupplierSeed, n);
  }
}

struct Pair {
  std::string buyer;
  std::string supplier;
};

Pair WritePair(const WorkFolder& folder, const std::string& name,
               int64_t buyer_records, int64_t supplier_records) {
  Pair pair{folder.Path(name + "-buyer.iso"),
            folder.Path(name + "-supplier.iso")};
  auto start = std::chrono::steady_clock::now();
  GeneratedFile buyer =
      WriteMarcFile(pair.buyer, {kBuyerSeed, 0.0}, buyer_records);
  OutputFile supplier(pair.supplier);
  for (int64_t n = 1; n <= supplier_records; ++n) {
    supplier.WriteLine(SupplierRecord(n, buyer_records));
  }
  supplier.Commit();
  std::printf(
      "generated %lld buyer records (%.1f MB) and %lld supplier "
      "records in %.1f s\n",
      static_cast<long long>(buyer_records),
      static_cast<double>(buyer.bytes) / 1e6,
      static_cast<long long>(supplier_records), SecondsSince(start));
  return pair;
}

MarcCheckOptions Options(const Pair& pair, const WorkFolder& folder,
                         MatchRule rule, bool isbn_keys,
                         const std::string& prefix = "") {
  MarcCheckOptions options;
  options.buyer_source = BuyerSource::kFile;
  options.buyer_file = pair.buyer;
  options.supplier_file = pair.supplier;
  options.rule = rule;
  options.isbn_keys = isbn_keys;
  options.lacks_file = folder.Path(prefix + "lacks.iso");
  options.common_file = folder.Path(prefix + "common.iso");
  return options;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

double PeakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) * 1024 / 1e6;
}

// Runs the indexed check and returns its wall time in seconds.
double TimeIndexed(const MarcCheckOptions& options, MarcCheckResult& result) {
  QuietHost host;
  auto start = std::chrono::steady_clock::now();
  auto outcome = RunMarcCheck(options, nullptr, host);
  double seconds = SecondsSince(start);
  result = std::get<MarcCheckResult>(outcome);
  return seconds;
}

int Run(const Arguments& args) {
  WorkFolder folder("veltrane-bench-check-marc");
  Pair large = WritePair(folder, "large", args.buyer, args.supplier);
  struct Case {
    const char* name;
    MatchRule rule;
    bool isbn_keys;
  };
  const Case cases[] = {
      {"SameIsbn, keys off", MatchRule::SameIsbn, false},
      {"SameIsbn, keys on", MatchRule::SameIsbn, true},
      {"ListedFields 200a,010a,010d N=3", MatchRule::ListedFields, false},
  };
  for (const Case& c : cases) {
    MarcCheckResult result;
    double seconds =
        TimeIndexed(Options(large, folder, c.rule, c.isbn_keys), result);
    std::printf(
        "RunMarcCheck %s: %.1f s (lacks %lld, common %lld records), peak "
        "RSS so far %.0f MB\n",
        c.name, seconds, static_cast<long long>(result.lacking),
        static_cast<long long>(result.common), PeakResidentMegabytes());
  }

  Pair small =
      WritePair(folder, "small", args.nested_buyer, args.nested_supplier);
  for (const Case& c : cases) {
    auto start = std::chrono::steady_clock::now();
    NestedMarcCheck(Options(small, folder, c.rule, c.isbn_keys, "nested-"));
    double nested = SecondsSince(start);
    MarcCheckResult result;
    double indexed =
        TimeIndexed(Options(small, folder, c.rule, c.isbn_keys), result);
    bool same = true;
    for (const char* output : {"lacks.iso", "common.iso"}) {
      same = same && ReadFile(folder.Path(output)) ==
                         ReadFile(folder.Path(std::string("nested-") + output));
    }
    std::printf(
        "%s, %lld x %lld: nested %.2f s, indexed %.3f s, ratio %.0f, "
        "outputs %s\n",
        c.name, static_cast<long long>(args.nested_supplier),
        static_cast<long long>(args.nested_buyer), nested, indexed,
        nested / indexed, same ? "identical" : "DIFFERENT");
  }
  return 0;
}

}  // namespace
}  // namespace veltrane

int main(int argc, char** argv) {
  return veltrane::ToolMain(argc, argv, "veltrane-bench-check-marc",
                            veltrane::kUsage, veltrane::ParseArguments,
                            veltrane::Run);
}
