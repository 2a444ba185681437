// The desktop program's OperationHost: drives the shared progress bar, keeps
// the window responsive between records, answers record failures with the
// TfrmMessageBox dialog and reports a page's stop box.
#ifndef VELTRANE_APP_GUI_HOST_H_
#define VELTRANE_APP_GUI_HOST_H_

#include <QElapsedTimer>
#include <functional>

#include "ops/operation.h"

class QProgressBar;

namespace veltrane::app {

class GuiHost : public OperationHost {
 public:
  // `stop_requested` (optional) reads the page's stop box.
  explicit GuiHost(QProgressBar* bar,
                   std::function<bool()> stop_requested = {});

  void SetProgressTotal(int64_t total) override;
  void SetProgressPosition(int64_t position) override;
  bool StopRequested() override;
  bool ContinueAfterFailure(const RecordFailure& failure) override;

 private:
  QProgressBar* bar_;
  std::function<bool()> stop_requested_;
  QElapsedTimer since_events_;
  int scale_ = 1;  // QProgressBar counts in int: large totals are scaled
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_GUI_HOST_H_
