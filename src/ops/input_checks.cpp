#include "ops/input_checks.h"

#include <sys/stat.h>

#include <filesystem>

#include "db/main_data.h"
#include "util/text.h"

namespace veltrane {
namespace {

// A file's identity, following links: device and inode of an existing file;
// for a missing one the absolute name it would be created under.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  bool regular = true;
  std::string missing_path;  // empty when the file exists
  bool operator==(const FileIdentity& other) const {
    return missing_path == other.missing_path && device == other.device &&
           inode == other.inode;
  }
};

std::optional<FileIdentity> IdentifyFile(const std::string& path) {
  if (path.empty()) return std::nullopt;
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) {
    return FileIdentity{st.st_dev, st.st_ino, S_ISREG(st.st_mode), ""};
  }
  std::error_code error;
  std::filesystem::path name =
      std::filesystem::weakly_canonical(FollowLinks(path), error);
  if (error) return std::nullopt;
  return FileIdentity{0, 0, true, name.string()};
}

}  // namespace

bool IsExistingFile(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::exists(path, error) &&
         !std::filesystem::is_directory(path, error);
}

bool IsBlankName(const std::string& name) { return Trim(name).empty(); }

std::unique_ptr<OutputFile> OutputIfNamed(const std::string& name) {
  if (IsBlankName(name)) return nullptr;
  return std::make_unique<OutputFile>(name);
}

std::optional<InputProblem> CheckRunFiles(const RunFiles& files) {
  std::vector<FileIdentity> inputs;
  for (const RunFile& input : files.inputs) {
    std::optional<FileIdentity> id = IdentifyFile(input.path);
    if (!id || !id->missing_path.empty()) continue;
    if (!id->regular) {
      return InputProblem{"无法读取（不是普通文件）：" + input.path,
                          input.input};
    }
    inputs.push_back(*id);
  }
  std::vector<FileIdentity> databases;
  for (const std::string& path : TMainData::OpenFiles()) {
    std::optional<FileIdentity> id = IdentifyFile(path);
    if (id && id->missing_path.empty()) databases.push_back(*id);
  }
  std::vector<FileIdentity> outputs;
  for (const RunFile& output : files.outputs) {
    if (IsBlankName(output.path)) continue;
    std::optional<FileIdentity> id = IdentifyFile(output.path);
    if (!id || !id->regular) continue;
    for (const FileIdentity& input : inputs) {
      if (*id == input) {
        return InputProblem{"输出文件不能是输入文件：" + output.path,
                            output.input};
      }
    }
    for (const FileIdentity& database : databases) {
      if (*id == database) {
        return InputProblem{"输出文件不能是数据库文件：" + output.path,
                            output.input};
      }
    }
    for (const FileIdentity& other : outputs) {
      if (*id == other) {
        return InputProblem{"两个输出文件不能是同一个文件：" + output.path,
                            output.input};
      }
    }
    outputs.push_back(*id);
  }
  return std::nullopt;
}

}  // namespace veltrane
