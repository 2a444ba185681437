#include "ops/merge_iso.h"

#include <cerrno>
#include <filesystem>
#include <memory>
#include <system_error>

#include "ops/input_checks.h"
#include "util/file_reader.h"
#include "util/line_copy.h"
#include "util/output_file.h"

namespace veltrane {
namespace {

std::unique_ptr<FileReader> OpenInput(const std::string& path) {
  std::unique_ptr<FileReader> in = FileReader::Open(path);
  if (!in) {
    throw std::system_error(ENOENT, std::generic_category(),
                            "无法读取文件：" + path);
  }
  return in;
}

}  // namespace

std::variant<InputProblem, MergeIsoResult> RunMergeIso(
    const MergeIsoOptions& options, OperationHost& host) {
  if (options.input_files.empty()) {
    return InputProblem{"请选择要合并的MARC文件", "input_files"};
  }
  if (IsBlankName(options.output_file)) {
    return InputProblem{"请指定合并后的存放文件名", "output_file"};
  }
  RunFiles files{{}, {{options.output_file, "output_file"}}};
  for (const std::string& path : options.input_files) {
    files.inputs.push_back({path, "input_files"});
  }
  if (auto problem = CheckRunFiles(files)) return *problem;

  int64_t total = 0;
  for (const std::string& path : options.input_files) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (!error) total += static_cast<int64_t>(size);
  }
  host.SetProgressTotal(total);
  OutputFile out(options.output_file);
  int64_t done = 0;
  for (const std::string& path : options.input_files) {
    std::unique_ptr<FileReader> in = OpenInput(path);
    CopyLinesCrLf(*in, [&](std::string_view bytes) {
      out.Write(bytes);
      host.SetProgressPosition(done + in->position());
    });
    done += in->size();
    host.SetProgressPosition(done);
  }
  out.Commit();

  MergeIsoResult result;
  result.files = static_cast<int64_t>(options.input_files.size());
  result.completion = {"合并完成！", ""};
  return result;
}

}  // namespace veltrane
