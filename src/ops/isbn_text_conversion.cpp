#include "ops/isbn_text_conversion.h"

#include <algorithm>

#include "marc/text_file.h"
#include "ops/input_checks.h"
#include "ops/isbn_range.h"
#include "util/output_file.h"
#include "util/text.h"

namespace veltrane {
namespace {

bool IsCodeByte(char c) {
  return IsAsciiDigit(c) || c == 'X' || c == 'x' || c == '-';
}

}  // namespace

std::string ConvertLineCode(std::string_view line, size_t start,
                            IsbnFormat format, int range, bool force) {
  const size_t at = start - 1;
  if (at >= line.size()) return std::string(line);
  size_t end = at;
  while (end < line.size() && IsCodeByte(line[end])) ++end;
  if (end == at) return std::string(line);
  std::string result(line.substr(0, at));
  result += ConvertIsbnInRange(line.substr(at, end - at), format, range, force);
  result += line.substr(end);
  return result;
}

std::variant<InputProblem, IsbnTextConversionResult> RunIsbnTextConversion(
    const IsbnTextConversionOptions& options, OperationHost& host) {
  if (!IsExistingFile(options.source_file)) {
    return InputProblem{"请指定原始ISBN文件。", "source_file", true};
  }
  if (IsBlankName(options.output_file)) {
    return InputProblem{"请指定转换后的ISBN文件。", "output_file", false};
  }
  host.SetProgressTotal(CountLines(options.source_file));
  const size_t start = static_cast<size_t>(
      std::max<int64_t>(1, ParseInteger(options.start).value_or(1)));
  IsbnTextConversionResult result;
  OutputFile out(options.output_file);
  ForEachLine(options.source_file, [&](const std::string& line) {
    out.WriteLine(ConvertLineCode(line, start, options.format, options.range,
                                  options.force));
    host.SetProgressPosition(++result.lines);
  });
  out.Commit();
  result.completion = {"转换完成!", ""};
  return result;
}

}  // namespace veltrane
