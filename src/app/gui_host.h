// The desktop program's OperationHost: drives a progress bar (and the label
// that shows the total as "共 N 条", where a page has one), keeps
// the window responsive between records, answers record failures with the
// TfrmMessageBox dialog and reports a page's stop box.
#ifndef VELTRANE_APP_GUI_HOST_H_
#define VELTRANE_APP_GUI_HOST_H_

#include <QElapsedTimer>
#include <functional>

#include "ops/operation.h"

class QLabel;
class QProgressBar;

namespace veltrane::app {

class GuiHost : public OperationHost {
 public:
  // `total_label` and `stop_requested` (the page's stop box) are optional.
  GuiHost(QProgressBar* bar, QLabel* total_label,
          std::function<bool()> stop_requested);

  void SetProgressTotal(int64_t total) override;
  void SetProgressPosition(int64_t position) override;
  bool StopRequested() override;
  bool ContinueAfterFailure(const RecordFailure& failure) override;

 private:
  QProgressBar* bar_;
  QLabel* total_label_;
  std::function<bool()> stop_requested_;
  QElapsedTimer since_events_;
  int scale_ = 1;  // QProgressBar counts in int: large totals are scaled
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_GUI_HOST_H_
