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

}  // namespace veltrane
