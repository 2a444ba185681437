#include "util/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace veltrane {
namespace {

constexpr int kMaxLinks = 40;

std::string TempNameFor(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return path + ".tmp" + std::to_string(::getpid()) + "-" +
         std::to_string(counter++);
}

[[noreturn]] void ThrowFor(int error, const std::string& path) {
  throw std::system_error(error, std::generic_category(),
                          "无法创建文件：" + path);
}

}  // namespace

std::string FollowLinks(const std::string& path) {
  namespace fs = std::filesystem;
  fs::path current = path;
  for (int links = 0; links <= kMaxLinks; ++links) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(current, error))) {
      return current.string();
    }
    fs::path target = fs::read_symlink(current, error);
    if (error) return current.string();
    current = target.is_absolute() ? target : current.parent_path() / target;
  }
  ThrowFor(ELOOP, path);
}

OutputFile::OutputFile(std::string path)
    : path_(std::move(path)), target_(FollowLinks(path_)) {
  struct stat st;
  const bool exists = ::stat(target_.c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) ThrowFor(EISDIR, path_);
  if (exists && !S_ISREG(st.st_mode)) {
    fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0) ThrowFor(errno, path_);
    return;
  }
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    temp_path_ = TempNameFor(target_);
    fd_ = ::open(temp_path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                 0666);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) {
    temp_path_.clear();
    ThrowFor(errno, path_);
  }
  unfinished_ = std::make_unique<UnfinishedFile>(temp_path_, -1);
  if (exists && ::fchmod(fd_, st.st_mode & 07777) != 0) Fail("无法创建文件：", errno);
}

OutputFile::~OutputFile() { Discard(); }

void OutputFile::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_path_.empty()) ::unlink(temp_path_.c_str());
  temp_path_.clear();
  unfinished_.reset();
}

void OutputFile::Fail(const char* what, int error) {
  Discard();
  throw std::system_error(error, std::generic_category(),
                          std::string(what) + path_);
}

void OutputFile::Write(std::string_view bytes) {
  if (!buffer_.Append(fd_, bytes)) Fail("写入文件出错：", errno);
}

void OutputFile::WriteLine(std::string_view line) {
  Write(line);
  Write("\r\n");
}

void OutputFile::Commit() {
  if (!buffer_.Drain(fd_)) Fail("写入文件出错：", errno);
  // A device or FIFO has nothing to sync or move.
  if (!temp_path_.empty() && ::fsync(fd_) != 0) Fail("写入文件出错：", errno);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) Fail("写入文件出错：", errno);
  if (temp_path_.empty()) return;
  if (std::rename(temp_path_.c_str(), target_.c_str()) != 0) {
    Fail("无法创建文件：", errno);
  }
  temp_path_.clear();
  unfinished_.reset();
}

}  // namespace veltrane
