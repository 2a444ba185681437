#include "ops/sheet_to_marc.h"

#include <algorithm>
#include <utility>

#include "marc/error_log.h"
#include "ops/input_checks.h"
#include "ops/row_record.h"
#include "sheet/workbook_io.h"
#include "util/output_file.h"
#include "util/text.h"

namespace veltrane {
namespace {

constexpr std::pair<const char*, const char*> kHeadingRules[] = {
    {"ISBN", "010a"},    {"isbn", "010a"},     {"书名", "200a"},
    {"图书名称", "200a"}, {"副题名", "200e"},   {"从书名", "225a"},
    {"丛书名", "225a"},   {"作者", "200f"},     {"版本", "205a"},
    {"出版地", "210a"},   {"出版社", "210c"},   {"出版日期", "210d"},
    {"出版时间", "210d"}, {"页数", "215a"},     {"开本", "215d"},
    {"内容提要", "330a"}, {"分类号", "690a"},   {"版次", "690v"},
    {"定价", "010d"},     {"单价", "010d"},
};

bool IsMapped(const std::vector<ColumnMapping>& columns, std::string_view spec) {
  return std::any_of(columns.begin(), columns.end(),
                     [&](const ColumnMapping& c) { return c.spec == spec; });
}

// The rows that take part, with their sheet columns counted from 0.
std::vector<MappedColumn> MappedColumns(
    const std::vector<ColumnMapping>& columns) {
  std::vector<MappedColumn> mapped;
  for (const ColumnMapping& row : columns) {
    const std::optional<int64_t> number = ParseInteger(row.number);
    if ((row.spec.size() == 3 || row.spec.size() == 4) && number &&
        *number > 0 && *number <= UINT32_MAX) {
      mapped.push_back({static_cast<size_t>(*number - 1), row.spec});
    }
  }
  return mapped;
}

}  // namespace

std::string FieldSpecForHeading(std::string_view heading) {
  for (const auto& [text, spec] : kHeadingRules) {
    if (heading == text) return spec;
  }
  return "";
}

std::vector<ColumnMapping> ProposeColumnTable(const std::string& sheet_file) {
  const Workbook workbook =
      ReadWorkbook(sheet_file, {SheetSelection::kActive, ""});
  std::vector<ColumnMapping> table;
  const Sheet* sheet = workbook.active_sheet();
  if (sheet == nullptr) return table;
  const UsedBlock used = sheet->used();
  for (uint32_t c = 0; c < used.columns; ++c) {
    const uint32_t column = used.first_column + c;
    std::string heading(Trim(sheet->Cell(used.first_row, column)));
    std::string spec = FieldSpecForHeading(heading);
    table.push_back({std::to_string(column + 1), std::move(heading),
                     std::move(spec)});
  }
  return table;
}

std::optional<InputProblem> CheckSheetToMarc(const SheetToMarcOptions& options) {
  if (!IsExistingFile(options.sheet_file)) {
    return InputProblem{"请指定原始EXCEL文件。", "sheet_file", true};
  }
  if (IsBlankName(options.marc_file)) {
    return InputProblem{"请指定要输出的文件名及路径！", "marc_file", false};
  }
  if (!IsMapped(options.columns, "200a")) {
    return InputProblem{"必需指定书名字段200a！", "columns", false};
  }
  return std::nullopt;
}

std::optional<std::string> SuggestedFieldsWarning(
    const std::vector<ColumnMapping>& columns) {
  for (const char* spec : {"010a", "210c", "200f", "010d", "210d", "101a"}) {
    if (!IsMapped(columns, spec)) {
      return "建议指定：ISBN     (010a)、\r"
             "          出版社   (210c)、\r"
             "          作者     (200f)、\r"
             "          单价     (010d)、\r"
             "          出版日期 (210d)、\r"
             "          著作语种 (101a) ";
    }
  }
  return std::nullopt;
}

std::variant<InputProblem, SheetToMarcResult> RunSheetToMarc(
    const SheetToMarcOptions& options, OperationHost& host) {
  if (std::optional<InputProblem> problem = CheckSheetToMarc(options)) {
    return *problem;
  }
  const Workbook workbook =
      ReadWorkbook(options.sheet_file, {SheetSelection::kActive, ""});
  const Sheet* sheet = workbook.active_sheet();
  const UsedBlock used = sheet ? sheet->used() : UsedBlock{};
  const uint32_t first = used.first_row + (options.first_row_too ? 0 : 1);
  const uint32_t end = used.first_row + used.rows;
  const std::vector<MappedColumn> columns = MappedColumns(options.columns);
  const RecordClock clock(options.now ? options.now : std::time(nullptr));

  SheetToMarcResult result;
  host.SetProgressTotal(end > first ? end - first : 0);
  OutputFile out(options.marc_file);
  FailureTally failures(host);
  for (uint32_t row = first; row < end && !result.stopped; ++row) {
    const int64_t sequence = row - first + 1;
    TMarcRecord record = BuildRowRecord(
        [&](size_t column) {
          return sheet->Cell(row, static_cast<uint32_t>(column));
        },
        columns, sequence, options.institution, clock);
    try {
      out.Write(record.GetIsoText(clock.stamp));
      out.Write("\r\n");
      ++result.records;
    } catch (const MarcFormatError& error) {
      AppendErrorLogEntry(options.sheet_file, sequence, "");
      if (!failures.ContinueAfterFailure(
              {options.sheet_file, sequence, "", error.what()})) {
        result.stopped = true;
      }
    }
    host.SetProgressPosition(sequence);
    result.stopped = result.stopped || host.StopRequested();
  }
  out.Commit();
  result.failed = failures.failed();
  result.completion = {"EXCEL转MARC完成!",
                       "共" + std::to_string(result.records) + "条记录"};
  return result;
}

}  // namespace veltrane
