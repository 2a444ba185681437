// "对EXCEL文件的ISBN列进行格式转换": the codes of one column of a list loaded
// from a workbook, converted into a new column "转换后的ISBN", and the list
// written to a new workbook and/or into a sheet of the source workbook.
#ifndef VELTRANE_OPS_ISBN_SHEET_CONVERSION_H_
#define VELTRANE_OPS_ISBN_SHEET_CONVERSION_H_

#include <cstdint>
#include <string>
#include <variant>

#include "isbn/convert.h"
#include "ops/completion.h"
#include "ops/operation.h"
#include "sheet/grid.h"

namespace veltrane {

inline constexpr char kConvertedIsbnHeading[] = "转换后的ISBN";
inline constexpr char kConvertedSheet[] = "转换后的表";

struct IsbnSheetConversionOptions {
  std::string source_file;  // RzEdit43: the workbook the list came from
  std::string output_file;  // RzEdit37: a new workbook, or blank
  bool into_source = false;  // RzCheckBox2
  int column = 0;            // the grid's current column
  IsbnFormat format = IsbnFormat::ifShortHyphen;  // RzRadioGroup7
  int range = 0;                                  // RzRadioGroup11
  bool force = false;                             // chkForce
};

struct IsbnSheetConversionResult {
  int new_column = 0;  // the column added (the page makes it current)
  int64_t rows = 0;    // data rows converted
  int64_t failed = 0;  // always 0
  Completion completion;  // "转换完成!"; the detail names a copy kept of
                          // an .xls original
};

// Checks: the list's row 0 ("请指定带有ISBN列的EXCEL文件!"), an output
// ("请指定转换后的结果\r\r是输出到文件，还是保存到原文件!"). Row 0 is the
// heading row; each data row's whole cell text is the code. Throws
// WorkbookError when a workbook cannot be written; the new column then
// stays in the list.
std::variant<InputProblem, IsbnSheetConversionResult> RunIsbnSheetConversion(
    const IsbnSheetConversionOptions& options, Grid& list, OperationHost& host);

}  // namespace veltrane

#endif  // VELTRANE_OPS_ISBN_SHEET_CONVERSION_H_
