#include "util/append_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "util/output_file.h"

namespace veltrane {

AppendFile::AppendFile(std::string path) : path_(std::move(path)) {}

AppendFile::~AppendFile() { TakeBack(); }

void AppendFile::Open() {
  const std::string target = FollowLinks(path_);
  struct stat st;
  const bool existed = ::stat(target.c_str(), &st) == 0;
  fd_ = ::open(target.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd_ < 0) Fail();
  if (existed && !S_ISREG(st.st_mode)) return;
  target_ = target;
  start_size_ = existed ? static_cast<int64_t>(st.st_size) : -1;
  unfinished_ = std::make_unique<UnfinishedFile>(target_, start_size_);
}

void AppendFile::TakeBack() {
  if (fd_ < 0) return;
  if (!target_.empty() && start_size_ >= 0) {
    [[maybe_unused]] int ignored =
        ::ftruncate(fd_, static_cast<off_t>(start_size_));
  } else if (!target_.empty()) {
    ::unlink(target_.c_str());
  }
  ::close(fd_);
  fd_ = -1;
  unfinished_.reset();
}

void AppendFile::Fail() {
  int error = errno;
  TakeBack();
  throw std::system_error(error, std::generic_category(),
                          "无法写入文件：" + path_);
}

void AppendFile::Write(std::string_view bytes) {
  if (fd_ < 0) Open();
  if (!buffer_.Append(fd_, bytes)) Fail();
}

void AppendFile::WriteLine(std::string_view line) {
  Write(line);
  Write("\r\n");
}

void AppendFile::Close() {
  if (fd_ < 0) return;
  if (!buffer_.Drain(fd_)) Fail();
  if (!target_.empty() && ::fsync(fd_) != 0) Fail();
  unfinished_.reset();
  int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) {
    int error = errno;
    throw std::system_error(error, std::generic_category(),
                            "无法写入文件：" + path_);
  }
}

}  // namespace veltrane
