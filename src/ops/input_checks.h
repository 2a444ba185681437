// Input checks and the outputs the user named, shared by the operations.
#ifndef VELTRANE_OPS_INPUT_CHECKS_H_
#define VELTRANE_OPS_INPUT_CHECKS_H_

#include <memory>
#include <string>

#include "util/output_file.h"

namespace veltrane {

// True when `path` names an existing file that is not a folder.
bool IsExistingFile(const std::string& path);

// True when `name` is empty or holds only blanks.
bool IsBlankName(const std::string& name);

// True when `output` and `input` name one existing file, also through a
// link or another spelling of its path. An output that would replace its own
// input is refused before anything is written.
bool IsSameFile(const std::string& output, const std::string& input);

// The output file the user named, or null when the name is blank (that
// output is then neither created nor written). Throws as OutputFile does.
std::unique_ptr<OutputFile> OutputIfNamed(const std::string& name);

}  // namespace veltrane

#endif  // VELTRANE_OPS_INPUT_CHECKS_H_
