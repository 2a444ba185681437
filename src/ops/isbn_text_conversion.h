// "对文本文件的ISBN列进行格式转换": rewrites the code that starts at a fixed
// byte position of each line of a text file into one ISBN form, keeping
// everything around it.
#ifndef VELTRANE_OPS_ISBN_TEXT_CONVERSION_H_
#define VELTRANE_OPS_ISBN_TEXT_CONVERSION_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "isbn/convert.h"
#include "ops/completion.h"
#include "ops/operation.h"

namespace veltrane {

struct IsbnTextConversionOptions {
  std::string source_file;  // RzEdit38
  std::string output_file;  // RzEdit44
  IsbnFormat format = IsbnFormat::ifShortHyphen;  // RzRadioGroup7
  int range = 0;                                  // RzRadioGroup11
  bool force = false;                             // chkForce
  std::string start = "1";  // edtIsbnStart: byte position from 1
};

struct IsbnTextConversionResult {
  int64_t lines = 0;
  int64_t failed = 0;     // always 0: lines cannot fail
  Completion completion;  // "转换完成!"
};

// The line with its code converted: the code is the longest run of digits,
// "X", "x" and "-" starting at byte `start` (from 1); a line shorter than
// that, or without a code there, comes back unchanged.
std::string ConvertLineCode(std::string_view line, size_t start,
                            IsbnFormat format, int range, bool force);

// Checks: the source file ("请指定原始ISBN文件。", input "source_file",
// emptied), the output name ("请指定转换后的ISBN文件。"). A start that is
// not a number, or below 1, is 1. Writes every line, CR LF ended.
std::variant<InputProblem, IsbnTextConversionResult> RunIsbnTextConversion(
    const IsbnTextConversionOptions& options, OperationHost& host);

}  // namespace veltrane

#endif  // VELTRANE_OPS_ISBN_TEXT_CONVERSION_H_
