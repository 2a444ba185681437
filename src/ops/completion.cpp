#include "ops/completion.h"

namespace veltrane {

std::string RecordCountDetail(int64_t count) {
  return "共" + std::to_string(count) + "条";
}

std::string CompletionDialogText(const Completion& completion) {
  if (completion.detail.empty()) return completion.text;
  return completion.text + "\n\n" + completion.detail;
}

std::string CompletionLine(const Completion& completion) {
  return completion.text + completion.detail;
}

}  // namespace veltrane
