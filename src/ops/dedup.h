// De-duplication of a MARC file (by a duplicate rule) and of an ISBN list
// file (by whole lines): the first occurrence of each entry is appended to
// the result file, later repeats are dropped. The result file is never
// emptied: whatever it already holds counts as kept, and a run into the
// same result file a second time adds nothing.
//
// Each entry costs about one lookup: the kept set is indexed (MARC: text
// hashes confirmed by reading the record again, and the rule's terms, as
// the MARC check indexes the buyer's records; ISBN: the kept lines), and the
// result is byte for byte that of comparing every entry with every kept one.
#ifndef VELTRANE_OPS_DEDUP_H_
#define VELTRANE_OPS_DEDUP_H_

#include <cstdint>
#include <string>
#include <variant>

#include "marc/match.h"
#include "ops/completion.h"
#include "ops/operation.h"

namespace veltrane {

struct DedupMarcOptions {
  std::string marc_file;    // "原始MARC文件："
  std::string result_file;  // "去重后MARC文件："
  MatchRule rule = MatchRule::IdenticalRecord;
  std::string fields = "200a,010a,010d";  // as typed
  int threshold = 3;
  bool isbn_keys = false;  // "对ISBN格式进行转换计算后再确认是否相同..."
};

struct DedupResult {
  int64_t entries = 0;   // records or lines of the source
  int64_t appended = 0;  // written to the result file
  int64_t failed = 0;
  bool cancelled = false;
  Completion completion;
};

// Checks, in order: the MARC file exists ("请指定原始MARC文件。"); under
// ListedFields the cleaned field list (CleanFieldList) passes
// IsValidFieldList ("重复字段书写错误!\n\n请参考例子或说明", input
// "fields"); the result name is not blank ("请指定去重后的MARC文件。").
// A record the rule cannot read (no numeric base address) is reported once
// and matches only records of identical text; new records are still
// appended after a failure when the host goes on.
std::variant<InputProblem, DedupResult> RunDedupMarc(
    const DedupMarcOptions& options, OperationHost& host);

struct DedupIsbnOptions {
  std::string isbn_file;    // "原始ISBN文件："
  std::string result_file;  // "去重后ISBN文件："
};

// Lines are compared whole and exactly (no trimming, letter case counts).
// Checks: the ISBN file exists ("请指定原始ISBN文件。"), the result name is
// not blank ("请指定去重后的ISBN文件。"). When the result file's last line
// has no line break, one is added before the first appended line, so that
// the new line is not joined to it.
std::variant<InputProblem, DedupResult> RunDedupIsbn(
    const DedupIsbnOptions& options, OperationHost& host);

}  // namespace veltrane

#endif  // VELTRANE_OPS_DEDUP_H_
