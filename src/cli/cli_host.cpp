#include "cli/cli_host.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "cli/interrupt.h"
#include "marc/error_log.h"

namespace veltrane::cli {

CliHost::CliHost(bool stop_on_error)
    : stop_on_error_(stop_on_error), show_progress_(::isatty(2) == 1) {}

CliHost::~CliHost() { ClearBar(); }

void CliHost::SetProgressTotal(int64_t total) {
  total_ = total;
  DrawBar(0);
}

void CliHost::SetProgressPosition(int64_t position) {
  auto now = std::chrono::steady_clock::now();
  if (now - last_draw_ < std::chrono::milliseconds(100) && position < total_) {
    return;
  }
  last_draw_ = now;
  DrawBar(position);
}

void CliHost::DrawBar(int64_t position) {
  if (!show_progress_ || total_ <= 0) return;
  constexpr int kWidth = 40;
  int filled = static_cast<int>(position * kWidth / total_);
  std::string bar(static_cast<size_t>(filled), '#');
  bar.resize(kWidth, ' ');
  std::fprintf(stderr, "\r[%s] %lld/%lld", bar.c_str(),
               static_cast<long long>(position),
               static_cast<long long>(total_));
  std::fflush(stderr);
  bar_drawn_ = true;
}

void CliHost::ClearBar() {
  if (!bar_drawn_) return;
  std::fprintf(stderr, "\r\033[K");
  std::fflush(stderr);
  bar_drawn_ = false;
}

bool CliHost::StopRequested() { return InterruptRequested(); }

bool CliHost::ContinueAfterFailure(const RecordFailure& failure) {
  ClearBar();
  std::fprintf(stderr, "出错了：文件 %s，记录 %lld：%s\n",
               failure.file_name.c_str(),
               static_cast<long long>(failure.rec_no), failure.message.c_str());
  if (!log_named_) {  // the first failure says where the log is
    std::fprintf(stderr, "（出错的记录已写入错误日志：%s）\n",
                 ErrorLogPath().c_str());
    log_named_ = true;
  }
  return !stop_on_error_;
}

}  // namespace veltrane::cli
