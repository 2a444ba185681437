// The command-line OperationHost: a progress bar on stderr when stderr is a
// terminal, the --on-error answer to record failures (each failure is also
// described on stderr), and Ctrl-C or SIGTERM as the stop request.
#ifndef VELTRANE_CLI_CLI_HOST_H_
#define VELTRANE_CLI_CLI_HOST_H_

#include <chrono>

#include "ops/operation.h"

namespace veltrane::cli {

class CliHost : public OperationHost {
 public:
  explicit CliHost(bool stop_on_error);
  ~CliHost() override;

  void SetProgressTotal(int64_t total) override;
  void SetProgressPosition(int64_t position) override;
  bool ContinueAfterFailure(const RecordFailure& failure) override;
  // Ctrl-C or SIGTERM (cli/interrupt.h).
  bool StopRequested() override;

 private:
  void DrawBar(int64_t position);
  void ClearBar();

  bool stop_on_error_;
  bool show_progress_;
  bool bar_drawn_ = false;
  bool log_named_ = false;
  int64_t total_ = 0;
  std::chrono::steady_clock::time_point last_draw_{};
};

}  // namespace veltrane::cli

#endif  // VELTRANE_CLI_CLI_HOST_H_
