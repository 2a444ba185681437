// Both orders read each file a bounded number of times:
// - supplier-file order: the ISBN lines as a hash set, then one scan of the
//   supplier file writing each record whose 010 $a is in the set;
// - ISBN-file order: the distinct ISBN lines as the keys of a hash map, one
//   scan of the supplier file noting the offsets of the records whose 010 $a
//   is a key (in file order), then each ISBN line in turn writes its records
//   again, read back by offset. A record that cannot be parsed is reported
//   once, during that scan; cancelling there ends the run before anything is
//   written.
#include "ops/extract.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "marc/record.h"
#include "marc/record_reader.h"
#include "marc/text_file.h"
#include "ops/input_checks.h"
#include "util/append_file.h"

namespace veltrane {
namespace {

std::string IsbnOf(std::string_view record_text) {
  return TMarcRecord::Create(record_text).GetValue("010a");
}

void ExtractInMarcOrder(const ExtractOptions& options, OperationHost& host,
                        ExtractResult& result) {
  host.SetProgressTotal(CountMarcRecords(options.supplier_file));
  std::unordered_set<std::string> isbns;
  ForEachLine(options.isbn_file,
              [&](const std::string& line) { isbns.insert(line); });

  AppendFile out(options.output_file);
  FailureTally tally(host);
  ScanMarcFile(
      options.supplier_file,
      [&](int64_t rec_no, std::string_view text, bool&) {
        if (isbns.contains(IsbnOf(text))) {
          out.WriteLine(text);
          ++result.written;
        }
        host.SetProgressPosition(rec_no);
      },
      tally);
  out.Close();
  result.failed = tally.failed();
  result.cancelled = tally.cancelled();
}

void ExtractInIsbnOrder(const ExtractOptions& options, OperationHost& host,
                        ExtractResult& result) {
  std::unordered_map<std::string, std::vector<int64_t>> offsets;
  int64_t lines = 0;
  ForEachLine(options.isbn_file, [&](const std::string& line) {
    offsets.try_emplace(line);
    ++lines;
  });
  host.SetProgressTotal(lines);

  FailureTally tally(host);
  ScanMarcFileAt(
      options.supplier_file,
      [&](int64_t, std::string_view text, int64_t offset, bool&) {
        auto wanted = offsets.find(IsbnOf(text));
        if (wanted != offsets.end()) wanted->second.push_back(offset);
      },
      tally);
  result.failed = tally.failed();
  result.cancelled = tally.cancelled();
  if (result.cancelled) return;

  RecordReader supplier(options.supplier_file);
  AppendFile out(options.output_file);
  int64_t position = 0;
  ForEachLine(options.isbn_file, [&](const std::string& line) {
    if (auto records = offsets.find(line); records != offsets.end()) {
      for (int64_t offset : records->second) {
        out.WriteLine(supplier.ReadAt(offset));
        ++result.written;
      }
    }
    host.SetProgressPosition(++position);
  });
  out.Close();
}

}  // namespace

std::variant<InputProblem, ExtractResult> RunExtract(
    const ExtractOptions& options, OperationHost& host) {
  if (!IsExistingFile(options.supplier_file)) {
    return InputProblem{"请指定供应商MARC数据文件", "supplier_file", false};
  }
  if (!IsExistingFile(options.isbn_file)) {
    return InputProblem{"请指定要采购的ISBN文件！", "isbn_file", false};
  }
  if (IsBlankName(options.output_file)) {
    return InputProblem{"请指定你要输出的ISBN文件的文件名和路径！",
                        "output_file", false};
  }
  if (auto problem = CheckRunFiles({{{options.supplier_file, "supplier_file"},
                                     {options.isbn_file, "isbn_file"}},
                                    {{options.output_file, "output_file"}}})) {
    return *problem;
  }

  ExtractResult result;
  if (options.isbn_order) {
    ExtractInIsbnOrder(options, host, result);
  } else {
    ExtractInMarcOrder(options, host, result);
  }
  result.completion = {"供应商MARC数据输出完成。", ""};
  return result;
}

}  // namespace veltrane
