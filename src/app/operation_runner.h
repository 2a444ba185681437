// The operation-page pattern, written once for every page: hourglass cursor,
// idle flag cleared and the start button disabled while the operation runs,
// the progress bar on the status bar, the page's input message (emptying or
// focusing the edit box concerned), the error box for an error that ends the
// run, and the completion message. Everything is restored on every path.
#ifndef VELTRANE_APP_OPERATION_RUNNER_H_
#define VELTRANE_APP_OPERATION_RUNNER_H_

#include <exception>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <variant>

#include "ops/completion.h"
#include "ops/operation.h"

class QAbstractButton;
class QLabel;
class QLineEdit;
class QProgressBar;
class QWidget;

namespace veltrane::app {

class OperationRunner {
 public:
  // `total_label` (optional) shows "共 N 条" while the run lasts.
  OperationRunner(QWidget* page, QAbstractButton* start_button,
                  QProgressBar* progress_bar, QLabel* total_label = nullptr);

  // The edit box that holds the option `name` (an options member name).
  void MapInput(const std::string& name, QLineEdit* edit);
  // The page's stop box, polled by operations that offer stopping.
  void SetStopCheck(std::function<bool()> stop_requested);

  // Runs `operation`; returns its result when it ran to the end (after the
  // completion message; none when the result has no completion text, as
  // after a silent stop), nullopt after an input problem or an error.
  template <typename Result>
  std::optional<Result> Run(
      const std::function<std::variant<InputProblem, Result>(OperationHost&)>&
          operation) {
    std::variant<InputProblem, Result> outcome;
    if (!Attempt([&](OperationHost& host) { outcome = operation(host); })) {
      return std::nullopt;
    }
    if (const auto* problem = std::get_if<InputProblem>(&outcome)) {
      ShowProblem(*problem);
      return std::nullopt;
    }
    Result& result = std::get<Result>(outcome);
    ShowCompletion(result.completion);
    return std::move(result);
  }

  // Runs `body` inside the busy state, without input checks or completion
  // message (pages that only show something); false (after the error box)
  // when it threw.
  bool Attempt(const std::function<void(OperationHost&)>& body);

 private:
  void ShowProblem(const InputProblem& problem);
  void ShowCompletion(const Completion& completion);

  QWidget* page_;
  QAbstractButton* start_button_;
  QProgressBar* progress_bar_;
  QLabel* total_label_;
  std::map<std::string, QLineEdit*> inputs_;
  std::function<bool()> stop_requested_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_OPERATION_RUNNER_H_
