#include "ops/input_checks.h"

#include <filesystem>

#include "util/text.h"

namespace veltrane {

bool IsExistingFile(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::exists(path, error) &&
         !std::filesystem::is_directory(path, error);
}

bool IsBlankName(const std::string& name) { return Trim(name).empty(); }

bool IsSameFile(const std::string& output, const std::string& input) {
  std::error_code error;
  return !output.empty() && !input.empty() &&
         std::filesystem::equivalent(output, input, error);
}

std::unique_ptr<OutputFile> OutputIfNamed(const std::string& name) {
  if (IsBlankName(name)) return nullptr;
  return std::make_unique<OutputFile>(name);
}

}  // namespace veltrane
