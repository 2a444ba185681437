// The MARC-against-MARC duplicate check: which of the supplier's records the
// buyer lacks, and which both sides have.
//
// The buyer's side (table buyer or a MARC file) is indexed once — by record
// text, by 010 $a (or its ISBN key) and by the values of the listed fields —
// holding keys and record offsets only; the supplier's file is then streamed.
// The outputs are byte for byte those of comparing every supplier record
// with every buyer record in order: the lacks output in supplier order, the
// common output in supplier order and, within one supplier record, in buyer
// order ("以采购方为准" under the field and ISBN rules writes every matching
// buyer record; otherwise each matching supplier record gives one record).
#ifndef VELTRANE_OPS_MARC_CHECK_H_
#define VELTRANE_OPS_MARC_CHECK_H_

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "marc/match.h"
#include "ops/completion.h"
#include "ops/operation.h"

namespace veltrane {

class TMainData;

enum class BuyerSource {
  kNone,      // nothing selected yet
  kDatabase,  // table buyer
              // ("使用“现场采购”模块导入的采购方MARC数据作为数据源")
  kFile,  // a MARC file ("使用指定的MARC文件作为数据源")
};

struct MarcCheckOptions {
  BuyerSource buyer_source = BuyerSource::kNone;
  std::string buyer_file;
  std::string supplier_file;
  MatchRule rule = MatchRule::IdenticalRecord;
  std::string fields = "200a,010a,010d";  // as typed
  int threshold = 3;
  bool isbn_keys = false;
  std::string lacks_file;  // "输出采购方没有，供应商有的图书："
  std::string common_file;        // "输出双方都有的图书："
  bool common_from_buyer = true;  // "以采购方为准" (else "以供应方为准")
};

// The field list as the check uses it: trimmed, one leading and one trailing
// comma removed. RunMarcCheck cleans the list it is given; the page shows
// the cleaned list in its edit box.
std::string CleanFieldList(std::string_view fields);

// True when every comma-separated item of `fields` passes IsValidFieldSpec
// (empty items, and so an empty list, pass).
bool IsValidFieldList(std::string_view fields);

// Choosing table buyer as the buyer's source: the message when the table is
// empty ("“现场采购”模块中并没有导入采购方MARC数据。"), nullopt when it has
// rows.
std::optional<std::string> EmptyBuyerTableMessage(TMainData& data);

struct MarcCheckResult {
  int64_t supplier_records = 0;
  int64_t lacking = 0;  // records written to the lacks output
  int64_t common = 0;   // records written to the common output
  int64_t failed = 0;
  bool cancelled = false;
  Completion completion;  // no counts
};

// Checks, in order: a buyer source ("请指定采购方数据源。", also for a
// missing buyer file), the supplier file ("请指定供应商方数据源。"), under
// ListedFields the field list ("查重字段书写错误!\n\n请参考例子或说明",
// input "fields"), at least one output ("最少需要指定一个输出文件。").
// `data` is needed for the database source only (may be null otherwise).
// A record without a numeric base address is reported once, on its side,
// and then matches only a record of identical text.
std::variant<InputProblem, MarcCheckResult> RunMarcCheck(
    const MarcCheckOptions& options, TMainData* data, OperationHost& host);

}  // namespace veltrane

#endif  // VELTRANE_OPS_MARC_CHECK_H_
