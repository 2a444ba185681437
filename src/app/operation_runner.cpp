#include "app/operation_runner.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

#include "app/gui_host.h"
#include "app/idle_flag.h"
#include "app/messages.h"

namespace veltrane::app {
namespace {

// The busy state of one run, undone by the destructor.
class BusyState {
 public:
  BusyState(QAbstractButton* start, QProgressBar* bar, QLabel* label)
      : start_(start), bar_(bar), label_(label) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (start_) start_->setEnabled(false);
  }
  ~BusyState() {
    if (bar_) bar_->hide();
    if (label_) label_->hide();
    if (start_) start_->setEnabled(true);
    QApplication::restoreOverrideCursor();
  }
  BusyState(const BusyState&) = delete;
  BusyState& operator=(const BusyState&) = delete;

 private:
  BusyScope idle_cleared_;
  QAbstractButton* start_;
  QProgressBar* bar_;
  QLabel* label_;
};

}  // namespace

OperationRunner::OperationRunner(QWidget* page, QAbstractButton* start_button,
                                 QProgressBar* progress_bar,
                                 QLabel* total_label)
    : page_(page),
      start_button_(start_button),
      progress_bar_(progress_bar),
      total_label_(total_label) {}

void OperationRunner::MapInput(const std::string& name, QLineEdit* edit) {
  inputs_[name] = edit;
}

void OperationRunner::SetStopCheck(std::function<bool()> stop_requested) {
  stop_requested_ = std::move(stop_requested);
}

bool OperationRunner::Attempt(const std::function<void(OperationHost&)>& body) {
  QString error;
  {
    BusyState busy(start_button_, progress_bar_, total_label_);
    GuiHost host(progress_bar_, total_label_, stop_requested_);
    try {
      body(host);
    } catch (const std::exception& e) {
      error = QString::fromStdString(e.what());
    }
  }
  if (error.isNull()) return true;
  Messages().Error(page_, error);
  return false;
}

void OperationRunner::ShowProblem(const InputProblem& problem) {
  Messages().Information(page_, QString::fromStdString(problem.message));
  auto input = inputs_.find(problem.input);
  if (input == inputs_.end()) return;
  if (problem.clear_input) input->second->clear();
  input->second->setFocus();
}

void OperationRunner::ShowCompletion(const Completion& completion) {
  if (completion.text.empty()) return;  // a run that was stopped silently
  Messages().Information(
      page_, QString::fromStdString(CompletionDialogText(completion)));
}

}  // namespace veltrane::app
