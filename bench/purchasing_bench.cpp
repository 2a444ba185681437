// veltrane-bench-purchasing: how fast the buyer's catalogue is imported into
// the purchasing database, and how long one scan takes against it.
//
//   veltrane-bench-purchasing [--records N] [--scans S]
//
// Generates a catalogue of N records (default 1,000,000) in a new folder in
// $TMPDIR (or /tmp), times RunBuyerImport of it into a fresh database, then
// scans S (default 2000) distinct random barcodes of the catalogue: once in
// the continuous mode (two lookups and one committed purchase per scan, the
// target set high enough that every scan buys) and once in the simple
// reminder mode (one lookup). The folder is removed at the end. It prints
// figures; it judges nothing.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "bench/bench_util.h"
#include "bench/marc_generator.h"
#include "bench/tool_main.h"
#include "db/main_data.h"
#include "isbn/convert.h"
#include "ops/buyer_import.h"
#include "ops/scan_station.h"
#include "util/text.h"

namespace veltrane {
namespace {

constexpr const char* kUsage =
    "usage: veltrane-bench-purchasing [--records N] [--scans S]\n"
    "  --records N  records in the generated catalogue (default 1000000)\n"
    "  --scans S    scans timed per mode (default 2000, at most N)\n";

constexpr uint64_t kSeed = 20240101;

struct Arguments {
  int64_t records = 1000000;
  int64_t scans = 2000;
};

std::optional<Arguments> ParseArguments(int argc, char** argv) {
  Arguments args;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if ((arg != "--records" && arg != "--scans") || i + 1 >= argc) {
      return std::nullopt;
    }
    std::optional<int64_t> value = ParseInteger(argv[++i]);
    if (!value || *value <= 0) return std::nullopt;
    (arg == "--records" ? args.records : args.scans) = *value;
  }
  if (args.scans > args.records) return std::nullopt;
  return args;
}

// Up to `count` distinct barcodes of random records of the catalogue
// (records may share an ISBN; each barcode is taken once, so that every
// continuous scan buys; a small catalogue may have fewer).
std::vector<std::string> RandomBarcodes(int64_t records, int64_t count) {
  std::mt19937_64 rng(kSeed);
  std::uniform_int_distribution<int64_t> pick(1, records);
  std::unordered_set<std::string> chosen;
  std::vector<std::string> barcodes;
  for (int64_t tries = 0;
       static_cast<int64_t>(barcodes.size()) < count && tries < 20 * count;
       ++tries) {
    std::string barcode =
        ConvertIsbn(GenerateIsbn(kSeed, pick(rng)), IsbnFormat::ifEan13, false);
    if (chosen.insert(barcode).second) barcodes.push_back(std::move(barcode));
  }
  return barcodes;
}

// Times `scan` on every barcode and prints mean, median and 99th percentile.
void PrintLatency(const char* what, const std::vector<std::string>& barcodes,
                  const std::function<void(const std::string&)>& scan) {
  std::vector<double> ms;
  ms.reserve(barcodes.size());
  for (const std::string& barcode : barcodes) {
    auto start = std::chrono::steady_clock::now();
    scan(barcode);
    ms.push_back(SecondsSince(start) * 1000.0);
  }
  double mean = 0;
  for (double m : ms) mean += m;
  mean /= static_cast<double>(ms.size());
  std::sort(ms.begin(), ms.end());
  auto at = [&](double share) {
    return ms[std::min(
        ms.size() - 1,
        static_cast<size_t>(share * static_cast<double>(ms.size())))];
  };
  std::printf("%s: mean %.3f ms, median %.3f ms, p99 %.3f ms (%zu scans)\n",
              what, mean, at(0.5), at(0.99), ms.size());
}

int Run(const Arguments& args) {
  WorkFolder folder("veltrane-bench-purchasing");
  const std::string catalogue = folder.Path("buyer.iso");
  auto start = std::chrono::steady_clock::now();
  GeneratedFile file = WriteMarcFile(catalogue, {kSeed, 0.0}, args.records);
  std::printf("generated %lld records, %.1f MB, in %.1f s\n",
              static_cast<long long>(file.records),
              static_cast<double>(file.bytes) / 1e6, SecondsSince(start));

  std::unique_ptr<TMainData> data = TMainData::Open(folder.Path("veldata.db"));
  QuietHost host;
  start = std::chrono::steady_clock::now();
  auto outcome = RunBuyerImport(
      {catalogue, {CopyOption::Source::kField, "", "905f"}}, *data, host);
  double import_s = SecondsSince(start);
  const auto& imported = std::get<BuyerImportResult>(outcome);
  std::printf(
      "RunBuyerImport (count + import, copies from 905f): %.1f s, %.0f "
      "records/s, %lld rows, database %.1f MB\n",
      import_s, static_cast<double>(imported.imported) / import_s,
      static_cast<long long>(imported.imported),
      static_cast<double>(
          std::filesystem::file_size(folder.Path("veldata.db"))) /
          1e6);

  const std::vector<std::string> barcodes =
      RandomBarcodes(args.records, args.scans);
  ScanSettings settings{0, 1000000, false, false};
  ContinuousTab continuous(*data, settings);
  int64_t bought = 0;
  PrintLatency(
      "ContinuousTab::PurchaseScan", barcodes, [&](const std::string& barcode) {
        continuous.PurchaseScan(barcode);
        bought +=
            continuous.result().text.find("继续采购") != std::string::npos;
      });
  RemindTab remind(*data, settings);
  int64_t found = 0;
  PrintLatency("RemindTab::Scan", barcodes, [&](const std::string& barcode) {
    remind.Scan(barcode);
    found += remind.answer().text.ends_with(", 已有");
  });
  std::printf("    %lld of %zu scans bought, %lld found by title\n",
              static_cast<long long>(bought), barcodes.size(),
              static_cast<long long>(found));
  return 0;
}

}  // namespace
}  // namespace veltrane

int main(int argc, char** argv) {
  return veltrane::ToolMain(argc, argv, "veltrane-bench-purchasing",
                            veltrane::kUsage, veltrane::ParseArguments,
                            veltrane::Run);
}
