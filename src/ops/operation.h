// The contract between the operations and their front ends (pages, commands,
// tests).
//
// An operation is a function
//     std::variant<InputProblem, XxxResult> RunXxx(const XxxOptions&,
//                                                  OperationHost&);
// It runs the input checks in the page's order and returns the first problem
// before creating or changing anything; otherwise it does the work, reporting
// progress and record failures to the host, and returns its result. Errors
// that end a run (an output that cannot be written, say) are thrown as
// exceptions whose what() is the message to show; outputs are then discarded
// and files the user had are left as they were.
#ifndef VELTRANE_OPS_OPERATION_H_
#define VELTRANE_OPS_OPERATION_H_

#include <cstdint>
#include <string>

#include "marc/scanner.h"

namespace veltrane {

// A failed input check: the page's own message (UTF-8) and the option it
// concerns (the name of the options member, e.g. "marc_file").
struct InputProblem {
  std::string message;
  std::string input;
  bool clear_input = false;  // the page empties that edit box
};

// Implemented by the GUI, the CLI and test fakes.
class OperationHost : public RecordFailureListener {
 public:
  // The number of steps (usually records) of the run; position 0.
  virtual void SetProgressTotal(int64_t total) = 0;
  // Called after each step; the host decides how often to repaint.
  virtual void SetProgressPosition(int64_t position) = 0;
  // Polled between records by operations that have a stop box.
  virtual bool StopRequested() { return false; }
};

// Forwards record failures to the host and keeps count of them.
class FailureTally : public RecordFailureListener {
 public:
  explicit FailureTally(OperationHost& host) : host_(host) {}
  bool ContinueAfterFailure(const RecordFailure& failure) override {
    ++failed_;
    bool go_on = host_.ContinueAfterFailure(failure);
    cancelled_ = cancelled_ || !go_on;
    return go_on;
  }
  int64_t failed() const { return failed_; }
  bool cancelled() const { return cancelled_; }

 private:
  OperationHost& host_;
  int64_t failed_ = 0;
  bool cancelled_ = false;
};

}  // namespace veltrane

#endif  // VELTRANE_OPS_OPERATION_H_
