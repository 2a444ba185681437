#include "app/gui_host.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <climits>

#include "app/record_error_dialog.h"

namespace veltrane::app {
namespace {
constexpr int kEventIntervalMs = 40;  // repaint about 25 times a second
}  // namespace

GuiHost::GuiHost(QProgressBar* bar, QLabel* total_label,
                 std::function<bool()> stop_requested)
    : bar_(bar),
      total_label_(total_label),
      stop_requested_(std::move(stop_requested)) {
  since_events_.start();
}

void GuiHost::SetProgressTotal(int64_t total) {
  scale_ = static_cast<int>(total / INT_MAX + 1);
  if (bar_) {
    bar_->setRange(0, static_cast<int>(total / scale_));
    bar_->setValue(0);
    bar_->show();
  }
  if (total_label_) {
    total_label_->setText(QStringLiteral("共 %1 条").arg(total));
    total_label_->show();
  }
  QCoreApplication::processEvents();
  since_events_.restart();
}

void GuiHost::SetProgressPosition(int64_t position) {
  if (since_events_.elapsed() < kEventIntervalMs) return;
  if (bar_) bar_->setValue(static_cast<int>(position / scale_));
  QCoreApplication::processEvents();
  since_events_.restart();
}

bool GuiHost::StopRequested() { return stop_requested_ && stop_requested_(); }

bool GuiHost::ContinueAfterFailure(const RecordFailure& failure) {
  return TfrmMessageBox::Ask(failure);
}

}  // namespace veltrane::app
