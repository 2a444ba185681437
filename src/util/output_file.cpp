#include "util/output_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <system_error>

namespace veltrane {
namespace {

std::string TempNameFor(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return path + ".tmp" + std::to_string(::getpid()) + "-" +
         std::to_string(counter++);
}

}  // namespace

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    temp_path_ = TempNameFor(path_);
    fd_ = ::open(temp_path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                 0666);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) {
    throw std::system_error(errno, std::generic_category(),
                            "无法创建文件：" + path_);
  }
}

OutputFile::~OutputFile() {
  if (fd_ >= 0) {
    ::close(fd_);
    ::unlink(temp_path_.c_str());
  }
}

void OutputFile::Fail(const char* what) {
  int error = errno;
  ::close(fd_);
  fd_ = -1;
  ::unlink(temp_path_.c_str());
  throw std::system_error(error, std::generic_category(),
                          std::string(what) + path_);
}

void OutputFile::Write(std::string_view bytes) {
  if (!buffer_.Append(fd_, bytes)) Fail("写入文件出错：");
}

void OutputFile::WriteLine(std::string_view line) {
  Write(line);
  Write("\r\n");
}

void OutputFile::Commit() {
  if (!buffer_.Drain(fd_) || ::fsync(fd_) != 0) Fail("写入文件出错：");
  if (::close(fd_) != 0) {
    fd_ = -1;
    int error = errno;
    ::unlink(temp_path_.c_str());
    throw std::system_error(error, std::generic_category(),
                            "写入文件出错：" + path_);
  }
  fd_ = -1;
  if (std::rename(temp_path_.c_str(), path_.c_str()) != 0) {
    int error = errno;
    ::unlink(temp_path_.c_str());
    throw std::system_error(error, std::generic_category(),
                            "无法创建文件：" + path_);
  }
}

}  // namespace veltrane
