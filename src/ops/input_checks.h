// Input checks and the outputs the user named, shared by the operations.
#ifndef VELTRANE_OPS_INPUT_CHECKS_H_
#define VELTRANE_OPS_INPUT_CHECKS_H_

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ops/operation.h"
#include "util/output_file.h"

namespace veltrane {

// True when `path` names an existing file that is not a folder.
bool IsExistingFile(const std::string& path);

// True when `name` is empty or holds only blanks.
bool IsBlankName(const std::string& name);

// The output file the user named, or null when the name is blank (that
// output is then neither created nor written). Throws as OutputFile does.
std::unique_ptr<OutputFile> OutputIfNamed(const std::string& name);

// A file a run reads or writes: its name as given and the options member it
// comes from (InputProblem::input).
struct RunFile {
  std::string path;
  std::string input;
};

// The files of one run, checked after the page's own checks and before
// anything is created:
struct RunFiles {
  std::vector<RunFile> inputs;   // files read (a missing one is skipped)
  std::vector<RunFile> outputs;  // files written (blank or missing: fine)
};

// Every operation that writes a file calls this, so that no run can destroy
// what it reads. The problem (status 2 on the command line) when:
// - an input exists but is not a regular file (a FIFO, a device, a folder),
//   which cannot be read twice or at all: "无法读取（不是普通文件）：PATH";
// - an output is the same file as an input: "输出文件不能是输入文件：PATH";
// - an output is a database file this process has open (TMainData):
//   "输出文件不能是数据库文件：PATH";
// - two outputs are the same file: "两个输出文件不能是同一个文件：PATH".
// "The same file" means the same device and inode, so links and other
// spellings of a name count; outputs that are not regular files (/dev/null)
// may be shared. The problem names the output (or the input) concerned.
std::optional<InputProblem> CheckRunFiles(const RunFiles& files);

}  // namespace veltrane

#endif  // VELTRANE_OPS_INPUT_CHECKS_H_
