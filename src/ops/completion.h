// The message an operation shows when it is done: a main text and, for most
// pages, a count line such as "共12条".
#ifndef VELTRANE_OPS_COMPLETION_H_
#define VELTRANE_OPS_COMPLETION_H_

#include <cstdint>
#include <string>

namespace veltrane {

struct Completion {
  std::string text;    // UTF-8
  std::string detail;  // empty, or the appended count
};

// "共" + count + "条".
std::string RecordCountDetail(int64_t count);

// For a message box: text, an empty line, the detail.
std::string CompletionDialogText(const Completion& completion);

// For one line of output: text directly followed by the detail.
std::string CompletionLine(const Completion& completion);

}  // namespace veltrane

#endif  // VELTRANE_OPS_COMPLETION_H_
