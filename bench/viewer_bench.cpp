// veltrane-bench-viewer: the page "查看ISO文件" on a large file, driven
// offscreen as a user drives it: opening the file (the count and record 1)
// against one plain count of the same file, then each step button and jumps
// to random records.
//
//   veltrane-bench-viewer [--records N] [--steps K]
//
// Generates N records (default 1,000,000) in a new folder in $TMPDIR (or
// /tmp), removed at the end. Prints figures; judges nothing.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "app/page_context.h"
#include "app/pages/iso_viewer_page.h"
#include "bench/bench_util.h"
#include "bench/marc_generator.h"
#include "bench/tool_main.h"
#include "marc/scanner.h"
#include "util/text.h"

namespace veltrane {
namespace {

constexpr const char* kUsage =
    "usage: veltrane-bench-viewer [--records N] [--steps K]\n"
    "  --records N  records in the generated file (default 1000000)\n"
    "  --steps K    clicks timed per button and jumps (default 50)\n";

struct Arguments {
  int64_t records = 1000000;
  int steps = 50;
};

std::optional<Arguments> ParseArguments(int argc, char** argv) {
  Arguments args;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    std::optional<int64_t> value =
        i + 1 < argc ? ParseInteger(argv[i + 1]) : std::nullopt;
    if (!value || *value <= 0) return std::nullopt;
    ++i;
    if (arg == "--records") {
      args.records = *value;
    } else if (arg == "--steps") {
      args.steps = static_cast<int>(*value);
    } else {
      return std::nullopt;
    }
  }
  return args;
}

double Milliseconds(std::chrono::steady_clock::time_point start) {
  return SecondsSince(start) * 1000;
}

// Times `click` `steps` times; prints the median and the slowest.
template <typename Click>
void TimeClicks(const char* name, int steps, Click click) {
  std::vector<double> times;
  for (int i = 0; i < steps; ++i) {
    auto start = std::chrono::steady_clock::now();
    click(i);
    times.push_back(Milliseconds(start));
  }
  std::sort(times.begin(), times.end());
  std::printf("%-22s median %7.2f ms   slowest %7.2f ms   (%d clicks)\n", name,
              times[times.size() / 2], times.back(), steps);
}

int Run(const Arguments& args) {
  WorkFolder folder("veltrane-bench-viewer");
  const std::string file = folder.Path("catalogue.iso");
  GeneratedFile generated = WriteMarcFile(file, GeneratorOptions{}, args.records);
  std::printf("file: %lld records, %.0f MB\n",
              static_cast<long long>(generated.records), generated.bytes / 1e6);

  CountMarcRecords(file);  // brings the file into the page cache
  auto start = std::chrono::steady_clock::now();
  int64_t counted = CountMarcRecords(file);
  const double count_ms = Milliseconds(start);
  std::printf("CountMarcRecords      %9.0f ms   (%lld records)\n", count_ms,
              static_cast<long long>(counted));

  app::IsoViewerPage page(app::PageContext{});
  page.resize(600, 500);
  page.show();
  start = std::chrono::steady_clock::now();
  page.OpenFile(QString::fromStdString(file));
  const double open_ms = Milliseconds(start);
  std::printf("open (count + first)  %9.0f ms   %.2f counts\n", open_ms,
              open_ms / count_ms);

  auto button = [&](const char* name) {
    return page.findChild<QPushButton*>(name);
  };
  TimeClicks("|<< 首条", args.steps, [&](int) { button("RzButton65")->click(); });
  TimeClicks("最后 >>|", args.steps, [&](int) { button("RzButton74")->click(); });
  TimeClicks(" << 前条", args.steps, [&](int) { button("RzButton66")->click(); });
  TimeClicks("后条 >>", args.steps, [&](int) { button("RzButton67")->click(); });
  std::mt19937_64 random(20240101);
  std::uniform_int_distribution<int64_t> any(1, page.Total());
  auto* go_to = page.findChild<QLineEdit*>("edtGoTo");
  TimeClicks("转到 (random record)", args.steps, [&](int) {
    go_to->setText(QString::number(any(random)));
    button("btnGoTo")->click();
  });
  return 0;
}

}  // namespace
}  // namespace veltrane

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication application(argc, argv);
  return veltrane::ToolMain(argc, argv, "veltrane-bench-viewer", veltrane::kUsage,
                            veltrane::ParseArguments, veltrane::Run);
}
