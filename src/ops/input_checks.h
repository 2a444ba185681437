// Input checks shared by the operations.
#ifndef VELTRANE_OPS_INPUT_CHECKS_H_
#define VELTRANE_OPS_INPUT_CHECKS_H_

#include <string>

namespace veltrane {

// True when `path` names an existing file that is not a folder.
bool IsExistingFile(const std::string& path);

// True when `name` is empty or holds only blanks.
bool IsBlankName(const std::string& name);

}  // namespace veltrane

#endif  // VELTRANE_OPS_INPUT_CHECKS_H_
