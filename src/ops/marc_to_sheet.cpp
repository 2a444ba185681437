#include "ops/marc_to_sheet.h"

#include "marc/record.h"
#include "ops/input_checks.h"
#include "sheet/workbook_io.h"
#include "util/encoding.h"
#include "util/text.h"

namespace veltrane {
namespace {

std::string TooManyRecordsMessage(WorkbookFormat format) {
  if (format == WorkbookFormat::kXls) {
    return "MARC文件记录大多，受EXCEL表格行数限制，本功能的处理极限是65000条"
           "记录，请用分割软件将MARC分解为若干文件后再试！"
           "（输出为.xlsx文件时极限是1048575条记录）";
  }
  return "MARC文件记录大多，受EXCEL表格行数限制，.xlsx文件的处理极限是"
         "1048575条记录，请用分割软件将MARC分解为若干文件后再试！";
}

// The value of `spec` as a cell shows it: delimiters as "■", GB18030
// decoded.
std::string FieldCellText(const TMarcRecord& record, std::string_view spec) {
  return GbkToUtf8(ReplaceAll(record.GetValue(spec),
                                  std::string_view("\x1F", 1), kSubfieldMark));
}

}  // namespace

std::variant<InputProblem, MarcToSheetResult> RunMarcToSheet(
    const MarcToSheetOptions& options, OperationHost& host) {
  if (!IsExistingFile(options.marc_file)) {
    return InputProblem{"请指定原始MARC文件。", "marc_file", true};
  }
  if (IsBlankName(options.sheet_file)) {
    return InputProblem{"请指定要输出的文件名及路径！", "sheet_file", false};
  }
  const int64_t count = CountMarcRecords(options.marc_file);
  if (count == 0) return InputProblem{"原始MARC文件为空！", "marc_file", false};
  const WorkbookFormat format = FormatForName(options.sheet_file);
  if (count > MaxRecords(format)) {
    return InputProblem{TooManyRecordsMessage(format), "marc_file", false};
  }
  std::vector<const FieldColumn*> columns;
  for (const FieldColumn& field : options.fields) {
    if (!field.spec.empty()) columns.push_back(&field);
  }
  if (columns.empty()) {
    return InputProblem{"请设置要输出的MARC字段，和对应在EXCEL表格中的表头名称！",
                        "fields", false};
  }

  host.SetProgressTotal(count);
  Workbook workbook;
  Sheet& sheet = workbook.sheets.emplace_back("Sheet1");
  for (uint32_t k = 0; k < columns.size(); ++k) {
    sheet.SetCell(0, k, columns[k]->heading);
  }
  FailureTally failures(host);
  MarcToSheetResult result;
  result.records = ScanMarcFile(
      options.marc_file,
      [&](int64_t rec_no, std::string_view text, bool&) {
        host.SetProgressPosition(rec_no);
        const TMarcRecord record = TMarcRecord::Create(text);
        for (uint32_t k = 0; k < columns.size(); ++k) {
          sheet.SetCell(static_cast<uint32_t>(rec_no), k,
                        FieldCellText(record, columns[k]->spec));
        }
      },
      failures);
  result.failed = failures.failed();
  WriteWorkbook(workbook, options.sheet_file);
  result.completion = {"MARC转EXCEL完成!", RecordCountDetail(result.records)};
  return result;
}

}  // namespace veltrane
