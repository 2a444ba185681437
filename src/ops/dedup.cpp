#include "ops/dedup.h"

#include <cerrno>
#include <fstream>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

#include "marc/match_fields.h"
#include "marc/record.h"
#include "marc/record_reader.h"
#include "marc/text_file.h"
#include "ops/buyer_index.h"
#include "ops/input_checks.h"
#include "ops/marc_check.h"
#include "util/append_file.h"
#include "util/line_reader.h"
#include "util/string_interner.h"

namespace veltrane {
namespace {

// The kept records by their position in the index: first those the result
// file held, read again from it; then those appended, read again from the
// source file they came from (the same bytes as appended).
class KeptRecords {
 public:
  explicit KeptRecords(const std::string& source) : source_(source) {}

  // Indexes the records of `result_file`; false when `failures` said stop.
  bool AddResultFile(const std::string& result_file, BuyerIndex& index,
                     FailureTally& failures) {
    if (!IsExistingFile(result_file)) return true;
    result_ = std::make_unique<RecordReader>(result_file);
    ScanMarcFileAt(
        result_file,
        [&](int64_t, std::string_view text, int64_t offset, bool&) {
          result_offsets_.push_back(offset);
          index.Add(text);
        },
        failures);
    return !failures.cancelled();
  }

  void AddAppended(int64_t source_offset) {
    source_offsets_.push_back(source_offset);
  }

  std::string Read(uint32_t position) {
    if (position < result_offsets_.size()) {
      return result_->ReadAt(result_offsets_[position]);
    }
    return source_.ReadAt(source_offsets_[position - result_offsets_.size()]);
  }

 private:
  RecordReader source_;
  std::unique_ptr<RecordReader> result_;
  std::vector<int64_t> result_offsets_;
  std::vector<int64_t> source_offsets_;
};

std::optional<InputProblem> CheckMarcInputs(const DedupMarcOptions& options,
                                            std::string_view fields) {
  if (!IsExistingFile(options.marc_file)) {
    return InputProblem{"请指定原始MARC文件。", "marc_file"};
  }
  if (options.rule == MatchRule::ListedFields && !IsValidFieldList(fields)) {
    return InputProblem{"重复字段书写错误!\n\n请参考例子或说明", "fields"};
  }
  if (IsBlankName(options.result_file)) {
    return InputProblem{"请指定去重后的MARC文件。", "result_file"};
  }
  return CheckRunFiles({{{options.marc_file, "marc_file"}},
                        {{options.result_file, "result_file"}}});
}

// True when `path` is missing, empty or ends in a line break.
bool EndsWithLineBreak(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in || in.tellg() <= 0) return true;
  in.seekg(-1, std::ios::end);
  const int last = in.get();
  return last == '\n' || last == '\r';
}

}  // namespace

std::variant<InputProblem, DedupResult> RunDedupMarc(
    const DedupMarcOptions& options, OperationHost& host) {
  const std::string fields = options.rule == MatchRule::ListedFields
                                 ? CleanFieldList(options.fields)
                                 : options.fields;
  if (std::optional<InputProblem> problem = CheckMarcInputs(options, fields)) {
    return *problem;
  }

  DedupResult result;
  result.completion = {"MARC文件去重完成!", ""};
  FailureTally failures(host);
  BuyerIndex index(options.rule, fields, options.threshold, options.isbn_keys);
  KeptRecords kept(options.marc_file);
  if (!kept.AddResultFile(options.result_file, index, failures)) {
    result.failed = failures.failed();
    result.cancelled = true;
    return result;
  }

  host.SetProgressTotal(CountMarcRecords(options.marc_file));
  AppendFile out(options.result_file);
  auto read = [&](uint32_t position) { return kept.Read(position); };
  result.entries = ScanMarcFileAt(
      options.marc_file,
      [&](int64_t rec_no, std::string_view record, int64_t offset, bool&) {
        BuyerIndex::Found found = index.Find(record, true, read);
        if (found.positions.empty()) {
          out.WriteLine(record);
          kept.AddAppended(offset);
          ++result.appended;
          try {
            index.Add(record);
          } catch (const MarcFormatError&) {
            // Reported once, below, as the record that could not be read.
          }
        }
        host.SetProgressPosition(rec_no);
        if (found.supplier_unreadable) {
          throw MarcFormatError(kNoBaseAddressMessage);
        }
      },
      failures);
  out.Close();
  result.failed = failures.failed();
  result.cancelled = failures.cancelled();
  return result;
}

std::variant<InputProblem, DedupResult> RunDedupIsbn(
    const DedupIsbnOptions& options, OperationHost& host) {
  if (!IsExistingFile(options.isbn_file)) {
    return InputProblem{"请指定原始ISBN文件。", "isbn_file", true};
  }
  if (IsBlankName(options.result_file)) {
    return InputProblem{"请指定去重后的ISBN文件。", "result_file"};
  }
  if (auto problem = CheckRunFiles({{{options.isbn_file, "isbn_file"}},
                                    {{options.result_file, "result_file"}}})) {
    return *problem;
  }

  DedupResult result;
  result.completion = {"ISBN文件去重完成!", ""};
  StringInterner kept;
  if (IsExistingFile(options.result_file)) {
    ForEachLine(options.result_file,
                [&](const std::string& line) { kept.Intern(line); });
  }
  bool joined_to_last = !EndsWithLineBreak(options.result_file);

  host.SetProgressTotal(CountLines(options.isbn_file));
  AppendFile out(options.result_file);
  std::unique_ptr<LineReader> lines = LineReader::Open(options.isbn_file);
  if (!lines) {
    throw std::system_error(ENOENT, std::generic_category(),
                            "无法读取文件：" + options.isbn_file);
  }
  std::string line;
  while (lines->Next(line)) {
    ++result.entries;
    if (!kept.Find(line)) {
      kept.Intern(line);
      if (joined_to_last) out.Write("\r\n");
      joined_to_last = false;
      out.WriteLine(line);
      ++result.appended;
    }
    host.SetProgressPosition(result.entries);
  }
  out.Close();
  return result;
}

}  // namespace veltrane
