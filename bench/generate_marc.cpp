// veltrane-gen-marc: writes a generated CNMARC file (GBK, ISO 2709) of a
// given record count or size, and optionally the ISBN list of its records.
//
//   veltrane-gen-marc OUT (--records N | --megabytes M) [--seed S]
//                     [--damage RATE] [--isbn-list PATH]
//
// A megabyte is 1,000,000 bytes. Exit status 2 for a usage error, 1 when a
// file cannot be written.
#include <charconv>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "bench/marc_generator.h"
#include "bench/tool_main.h"
#include "util/text.h"

namespace veltrane {
namespace {

constexpr const char* kUsage =
    "usage: veltrane-gen-marc OUT (--records N | --megabytes M) [--seed S]\n"
    "                         [--damage RATE] [--isbn-list PATH]\n"
    "  --records N       write records 1 to N\n"
    "  --megabytes M     write records until the file holds M * 10^6 bytes\n"
    "  --seed S          seed of the generator (default 1)\n"
    "  --damage RATE     share of damaged records, 0 to 1 (default 0)\n"
    "  --isbn-list PATH  also write the ISBNs of the records, one per line\n";

struct Arguments {
  std::string out;
  std::optional<int64_t> records;
  std::optional<int64_t> megabytes;
  GeneratorOptions options;
  std::string isbn_list;
};

std::optional<int64_t> PositiveInteger(std::string_view text) {
  std::optional<int64_t> value = ParseInteger(text);
  if (!value || *value <= 0) return std::nullopt;
  return value;
}

std::optional<double> Rate(std::string_view text) {
  double rate = 0;
  auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), rate);
  if (error != std::errc() || end != text.data() + text.size() || rate < 0 ||
      rate > 1) {
    return std::nullopt;
  }
  return rate;
}

// Reads the command line; nullopt (after a message) when it is not valid.
std::optional<Arguments> ParseArguments(int argc, char** argv) {
  Arguments args;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (!arg.starts_with("--")) {
      if (!args.out.empty()) return std::nullopt;
      args.out = arg;
      continue;
    }
    if (i + 1 == argc) return std::nullopt;
    std::string_view value = argv[++i];
    if (arg == "--records") {
      args.records = PositiveInteger(value);
      if (!args.records) return std::nullopt;
    } else if (arg == "--megabytes") {
      args.megabytes = PositiveInteger(value);
      if (!args.megabytes) return std::nullopt;
    } else if (arg == "--seed") {
      std::optional<int64_t> seed = ParseInteger(value);
      if (!seed || *seed < 0) return std::nullopt;
      args.options.seed = static_cast<uint64_t>(*seed);
    } else if (arg == "--damage") {
      std::optional<double> rate = Rate(value);
      if (!rate) return std::nullopt;
      args.options.damage_rate = *rate;
    } else if (arg == "--isbn-list") {
      args.isbn_list = value;
    } else {
      return std::nullopt;
    }
  }
  if (args.out.empty() ||
      args.records.has_value() == args.megabytes.has_value()) {
    return std::nullopt;
  }
  return args;
}

int Run(const Arguments& args) {
  GeneratedFile file =
      args.records ? WriteMarcFile(args.out, args.options, *args.records)
                   : WriteMarcFileOfSize(args.out, args.options,
                                         *args.megabytes * 1000000);
  std::printf("%s: %lld records, %lld bytes, %lld damaged\n", args.out.c_str(),
              static_cast<long long>(file.records),
              static_cast<long long>(file.bytes),
              static_cast<long long>(file.damaged));
  if (!args.isbn_list.empty()) {
    WriteIsbnFile(args.isbn_list, args.options.seed, 1, file.records);
    std::printf("%s: %lld ISBNs\n", args.isbn_list.c_str(),
                static_cast<long long>(file.records));
  }
  return 0;
}

}  // namespace
}  // namespace veltrane

int main(int argc, char** argv) {
  return veltrane::ToolMain(argc, argv, "veltrane-gen-marc", veltrane::kUsage,
                            veltrane::ParseArguments, veltrane::Run);
}
