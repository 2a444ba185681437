#include "marc/error_log.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "marc/text_file.h"
#include "util/local_time.h"

namespace veltrane {
namespace {

// The entry labels, GBK: "文件：", "记录：", "MARC：".
constexpr std::string_view kFileLabel = "\xCE\xC4\xBC\xFE\xA3\xBA";
constexpr std::string_view kRecordLabel = "\xBC\xC7\xC2\xBC\xA3\xBA";
constexpr std::string_view kMarcLabel = "MARC\xA3\xBA";

std::string ExecutableFolder() {
  std::error_code error;
  std::filesystem::path exe =
      std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return ".";
  return exe.parent_path().string();
}

// $XDG_STATE_HOME/veltrane or ~/.local/state/veltrane, created.
std::string StateFolder() {
  std::filesystem::path folder;
  if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state) {
    folder = std::filesystem::path(state) / "veltrane";
  } else {
    const char* home = std::getenv("HOME");
    folder = std::filesystem::path(home && *home ? home : "/tmp") / ".local" /
             "state" / "veltrane";
  }
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  return folder.string();
}

// True when a log in `folder` can be appended to (or created).
bool CanLogIn(const std::string& folder) {
  const std::string log = folder + "/ErrorLog.txt";
  if (::access(log.c_str(), F_OK) == 0) return ::access(log.c_str(), W_OK) == 0;
  return ::access(folder.c_str(), W_OK) == 0;
}

}  // namespace

std::string ErrorLogPath() {
  if (const char* path = std::getenv("VELTRANE_ERROR_LOG"); path && *path) {
    return path;
  }
  const std::string folder = ExecutableFolder();
  return (CanLogIn(folder) ? folder : StateFolder()) + "/ErrorLog.txt";
}

std::string ErrorLogEntry(std::string_view now, const std::string& file_name,
                          int64_t rec_no, std::string_view record) {
  std::string entry = "//";
  entry.append(now);
  entry.append("-------------\r\n");
  entry.append(kFileLabel).append(file_name).append("\r\n");
  entry.append(kRecordLabel).append(std::to_string(rec_no)).append("\r\n");
  entry.append(kMarcLabel).append("\r\n");
  entry.append(record).append("\r\n");
  entry.append("//\\\\\\----------------");
  return entry;
}

void AppendErrorLogEntry(const std::string& file_name, int64_t rec_no,
                         std::string_view record) {
  AppendLine(ErrorLogPath(),
             ErrorLogEntry(LocalDateTimeText(), file_name, rec_no, record));
}

}  // namespace veltrane
