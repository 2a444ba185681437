#include "ops/split_marc.h"

#include <cmath>
#include <memory>
#include <optional>

#include "ops/input_checks.h"
#include "util/append_file.h"
#include "util/text.h"

namespace veltrane {
namespace {

constexpr char kWrongCount[] = "请指定正确的分割数！";

// The chosen mode's number when it is a whole number in its range.
std::optional<int64_t> SplitCount(const SplitMarcOptions& options,
                                  int64_t total) {
  if (options.mode == SplitMode::kPerFile) {
    std::optional<int64_t> c = ParseInteger(options.records_per_file);
    if (c && *c >= 1 && *c < total) return c;
  } else if (options.mode == SplitMode::kFileCount) {
    std::optional<int64_t> f = ParseInteger(options.file_count);
    if (f && *f > 1 && *f < total) return f;
  }
  return std::nullopt;
}

}  // namespace

std::string SplitFileName(const std::string& output_name, int64_t k) {
  std::string_view stem = output_name;
  if (stem.ends_with(".iso")) stem.remove_suffix(4);
  return std::string(stem) + std::to_string(k) + ".iso";
}

int64_t SplitFileOf(SplitMode mode, int64_t count, int64_t total, int64_t n) {
  if (mode == SplitMode::kPerFile) return (n - 1) / count;
  const double per_file =
      static_cast<double>(total) / static_cast<double>(count);
  return static_cast<int64_t>(
      std::floor(static_cast<double>(n - 1) / per_file));
}

std::variant<InputProblem, SplitMarcResult> RunSplitMarc(
    const SplitMarcOptions& options, OperationHost& host) {
  if (!IsExistingFile(options.marc_file)) {
    return InputProblem{"请指定需要分割的MARC文件", "marc_file"};
  }
  const int64_t total = CountMarcRecords(options.marc_file);
  const std::optional<int64_t> count = SplitCount(options, total);
  if (!count) {
    return InputProblem{kWrongCount, options.mode == SplitMode::kFileCount
                                         ? "file_count"
                                         : "records_per_file"};
  }
  if (IsBlankName(options.output_name)) {
    return InputProblem{"请指定分割后的存放文件名", "output_name"};
  }
  const int64_t files = options.mode == SplitMode::kPerFile
                            ? (total + *count - 1) / *count
                            : *count;
  for (int64_t k = 0; k < files; ++k) {
    if (auto problem = CheckRunFiles(
            {{{options.marc_file, "marc_file"}},
             {{SplitFileName(options.output_name, k), "output_name"}}})) {
      return *problem;
    }
  }

  SplitMarcResult result;
  result.completion = {"分割MARC文件完成!", ""};
  host.SetProgressTotal(total);
  std::unique_ptr<AppendFile> out;
  int64_t current = -1;
  FailureTally failures(host);
  result.records = ScanMarcFile(
      options.marc_file,
      [&](int64_t n, std::string_view record, bool&) {
        const int64_t k = SplitFileOf(options.mode, *count, total, n);
        if (k != current) {
          if (out) out->Close();
          out = std::make_unique<AppendFile>(
              SplitFileName(options.output_name, k));
          current = k;
          ++result.files;
        }
        out->WriteLine(record);
        host.SetProgressPosition(n);
      },
      failures);
  if (out) out->Close();
  return result;
}

}  // namespace veltrane
