#include "ops/label_list.h"

#include <algorithm>

#include "db/gbk_prefix.h"
#include "marc/accession.h"
#include "marc/record.h"
#include "ops/input_checks.h"
#include "util/text.h"

namespace veltrane {
namespace {

// "版" in GBK.
constexpr std::string_view kEditionChar = "\xB0\xE6";
constexpr std::string_view kUpMark = "▲";
constexpr std::string_view kDownMark = "▼";

// `text` without any `character`, walking whole GBK characters, so a trail
// byte and the next lead byte are never taken for one.
std::string RemoveGbkChar(std::string_view text, std::string_view character) {
  std::string out;
  for (size_t pos = 0; pos < text.size();) {
    size_t bytes = GbkCharBytes(text, pos);
    std::string_view current = text.substr(pos, bytes);
    if (current != character) out.append(current);
    pos += bytes;
  }
  return out;
}

// The row of a record, every value cut to its field's limit; 905b is b.
LabelRow ReadLabelRow(const TMarcRecord& record) {
  LabelRow row;
  row[kLabelIsbn] = record.GetValue("010a");
  row[kLabelBookname] = record.GetValue("200a");
  row[kLabelAuthor] = record.GetValue("200f");
  row[kLabel205a] = record.GetValue("205a");
  row[kLabel905b] = record.GetValue("905b");
  row[kLabel905c] = record.GetValue("905c");
  row[kLabel905d] = record.GetValue("905d");
  row[kLabel905v] = record.GetValue("905v");
  row[kLabel905e] = record.GetValue("905e");
  row[kLabel905f] = record.GetValue("905f");
  row[kLabel905y] = record.GetValue("905y");
  std::string volume = row[kLabel905v];
  if (!row[kLabel205a].empty()) volume += "=" + row[kLabel205a];
  row[kLabel905v205a] = RemoveGbkChar(volume, kEditionChar);
  return row;
}

bool HasPrintableValue(const LabelRow& row) {
  return !row[kLabelIsbn].empty() || !row[kLabelBookname].empty() ||
         !row[kLabel905d].empty() || !row[kLabel905v].empty() ||
         !row[kLabel905e].empty();
}

void CutToLimits(LabelRow& row) {
  for (size_t i = 0; i < row.size(); ++i) {
    row[i] = std::string(GbkBytePrefix(row[i], kLabelFields[i].max_bytes));
  }
}

// Builds the rows while the file is scanned.
class LabelListBuilder {
 public:
  explicit LabelListBuilder(const LabelListOptions& options)
      : options_(options), counter_(options.start_number) {}

  void AddRecord(std::string_view text, std::vector<LabelRow>& rows,
                 int64_t& skipped) {
    TMarcRecord record = TMarcRecord::Create(text);
    LabelRow row = ReadLabelRow(record);
    int64_t copies = CopiesOf(row[kLabel905f]);
    std::string accession = row[kLabel905b];
    if (options_.regenerate) {
      accession = NextAccessionRange(counter_, row[kLabel905f], first_);
      counter_ = accession;
      first_ = false;
    }
    if (!HasPrintableValue(row)) {
      ++skipped;
      return;
    }
    int64_t labels = options_.per_copy && copies > 0 ? copies : 1;
    for (int64_t i = 1; i <= labels; ++i) {
      LabelRow copy = row;
      copy[kLabel905b] = options_.per_copy && options_.split_range
                             ? RangeMember(accession, i)
                             : accession;
      CutToLimits(copy);
      rows.push_back(std::move(copy));
    }
  }

  const std::string& counter() const { return counter_; }

 private:
  // 905 $f as a whole number; 0 when it is none. Throws (the record fails)
  // for a count no shelf holds, before any row or number is used.
  int64_t CopiesOf(std::string_view text) const {
    int64_t copies = ParseInteger(text).value_or(0);
    if (options_.per_copy && copies > kMaxLabelCopies) {
      throw MarcFormatError("905$f复本数过大：" + std::string(text));
    }
    return copies;
  }

  const LabelListOptions& options_;
  std::string counter_;
  bool first_ = true;
};

}  // namespace

std::variant<InputProblem, LabelListResult> LoadLabelList(
    const LabelListOptions& options, OperationHost& host) {
  int64_t records = CountMarcRecords(options.marc_file);
  if (records == 0) {
    return InputProblem{"原始MARC文件为空！", "marc_file", false};
  }
  if (options.regenerate && IsBlankName(options.start_number)) {
    return InputProblem{"请输入起始登录号！", "start_number", false};
  }
  host.SetProgressTotal(records);

  LabelListResult result;
  result.records = records;
  LabelListBuilder builder(options);
  FailureTally tally(host);
  ScanMarcFile(
      options.marc_file,
      [&](int64_t rec_no, std::string_view text, bool&) {
        builder.AddRecord(text, result.rows, result.skipped);
        host.SetProgressPosition(rec_no);
      },
      tally);
  result.failed = tally.failed();
  result.cancelled = tally.cancelled();
  result.start_number = builder.counter();
  result.status = "源文件共 " + std::to_string(records) + " 条记录，共导入 " +
                  std::to_string(result.rows.size()) + " 条";
  result.completion = {
      "书标数据导入完成。",
      RecordCountDetail(static_cast<int64_t>(result.rows.size()))};
  return result;
}

LabelOrder NextLabelOrder(const LabelOrder& current, int column) {
  bool ascending_now = current.column >= 0 && !current.descending;
  return {column, ascending_now};
}

void SortLabels(std::vector<LabelRow>& rows, const LabelOrder& order) {
  if (order.column < 0 || order.column >= kLabelFieldCount) return;
  size_t column = static_cast<size_t>(order.column);
  // std::string compares as unsigned bytes: the byte order of the GBK text.
  if (order.descending) {
    std::stable_sort(rows.begin(), rows.end(),
                     [column](const LabelRow& a, const LabelRow& b) {
                       return b[column] < a[column];
                     });
  } else {
    std::stable_sort(rows.begin(), rows.end(),
                     [column](const LabelRow& a, const LabelRow& b) {
                       return a[column] < b[column];
                     });
  }
}

std::string LabelColumnTitle(LabelField field, const LabelOrder& order) {
  std::string title = kLabelFields[field].heading;
  if (order.column != field) return title;
  return std::string(order.descending ? kDownMark : kUpMark) + title;
}

}  // namespace veltrane
