// veltrane-bench-labels: the spine-label list of a generated MARC file and
// its PDF.
//
//   veltrane-bench-labels [--records N]
//
// In a new folder in $TMPDIR (or /tmp) it writes N generated records
// (default 10,000) whose 905 carries a class number ($d), a book number ($e)
// and a volume ($v), loads their label list (one label per record) and
// renders it to PDF, three labels across and 24 a page. Each step is the
// best of three runs. It prints figures; it judges nothing.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "bench/bench_util.h"
#include "bench/marc_generator.h"
#include "bench/tool_main.h"
#include "labels/label_renderer.h"
#include "marc/record.h"
#include "ops/label_list.h"
#include "util/output_file.h"

namespace veltrane {
namespace {

constexpr const char* kUsage =
    "usage: veltrane-bench-labels [--records N]\n"
    "  --records N  records, one label each (default 10000)\n";

struct Args {
  int64_t records = 10000;
};

std::optional<Args> Parse(int argc, char** argv) {
  Args args;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--records") == 0 && i + 1 < argc) {
      args.records = std::atoll(argv[++i]);
    } else {
      return std::nullopt;
    }
  }
  if (args.records < 1) return std::nullopt;
  return args;
}

// Generated records with the label fields a library's 905 carries.
void WriteLabelRecords(const std::string& path, int64_t records) {
  OutputFile out(path);
  for (int64_t n = 1; n <= records; ++n) {
    std::string text = GenerateRecord({}, n);
    TMarcRecord record = TMarcRecord::Create(text);
    record.ModifyValue("905d", "", record.GetValue("690a"), true);
    record.ModifyValue("905e", "", "C" + std::to_string(n % 997), true);
    record.ModifyValue("905v", "", std::to_string(1 + n % 3), true);
    out.WriteLine(record.GetIsoText("20240101120000.0"));
  }
  out.Commit();
}

template <typename Step>
double BestOfThree(Step step) {
  double best = 1e300;
  for (int i = 0; i < 3; ++i) {
    auto start = std::chrono::steady_clock::now();
    step();
    best = std::min(best, SecondsSince(start));
  }
  return best;
}

int Run(const Args& args) {
  WorkFolder folder("veltrane-bench-labels");
  const std::string marc = folder.Path("labels.iso");
  const std::string pdf = folder.Path("labels.pdf");
  WriteLabelRecords(marc, args.records);

  HeadlessGui gui;
  QuietHost host;
  LabelListResult list;
  double load = BestOfThree([&] {
    list = std::get<LabelListResult>(LoadLabelList({.marc_file = marc}, host));
  });
  LabelLayout layout;
  double render = BestOfThree([&] { WriteLabelsPdf(pdf, layout, list.rows); });

  std::printf("records: %lld (%.1f MB), labels: %zu\n",
              static_cast<long long>(args.records),
              std::filesystem::file_size(marc) / 1e6, list.rows.size());
  std::printf("LoadLabelList:  %.3f s (%.0f records/s)\n", load,
              args.records / load);
  std::printf("WriteLabelsPdf: %.3f s (%.0f labels/s), %lld pages, %.2f MB\n",
              render, list.rows.size() / render,
              static_cast<long long>(
                  layout.Pages(static_cast<int64_t>(list.rows.size()))),
              std::filesystem::file_size(pdf) / 1e6);
  std::printf("together:       %.3f s\n", load + render);
  return 0;
}

}  // namespace
}  // namespace veltrane

int main(int argc, char** argv) {
  return veltrane::ToolMain(argc, argv, "veltrane-bench-labels",
                            veltrane::kUsage, veltrane::Parse, veltrane::Run);
}
