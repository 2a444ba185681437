#include "ops/isbn_sheet_conversion.h"

#include "ops/input_checks.h"
#include "ops/isbn_range.h"
#include "ops/sheet_lists.h"
#include "sheet/workbook_io.h"

namespace veltrane {

std::variant<InputProblem, IsbnSheetConversionResult> RunIsbnSheetConversion(
    const IsbnSheetConversionOptions& options, Grid& list,
    OperationHost& host) {
  if (FirstRowEmpty(list)) {
    return InputProblem{"请指定带有ISBN列的EXCEL文件!", "source_file", false};
  }
  if (IsBlankName(options.output_file) && !options.into_source) {
    return InputProblem{"请指定转换后的结果\r\r是输出到文件，还是保存到原文件!",
                        "output_file", false};
  }
  IsbnSheetConversionResult result;
  host.SetProgressTotal(list.rows() - 1);
  result.new_column = list.columns();
  list.Resize(result.new_column + 1, list.rows());
  list.SetCell(result.new_column, 0, kConvertedIsbnHeading);
  for (int row = 1; row < list.rows(); ++row) {
    list.SetCell(result.new_column, row,
                 ConvertIsbnInRange(list.Cell(options.column, row),
                                    options.format, options.range,
                                    options.force));
    host.SetProgressPosition(++result.rows);
  }
  if (options.into_source) {
    const SheetWriteResult written =
        SaveGridToWorkbook(list, options.source_file, kConvertedSheet);
    if (written.original_copy) {
      result.completion.detail = KeptOriginalsNote({*written.original_copy});
    }
  }
  if (!IsBlankName(options.output_file)) {
    SaveGridToWorkbook(list, options.output_file);
  }
  result.completion.text = "转换完成!";
  return result;
}

}  // namespace veltrane
