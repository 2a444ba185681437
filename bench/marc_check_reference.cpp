#include "bench/marc_check_reference.h"

#include <memory>
#include <string>

#include "marc/record.h"
#include "marc/scanner.h"
#include "ops/input_checks.h"
#include "util/output_file.h"

namespace veltrane {
namespace {

class GoOn : public RecordFailureListener {
 public:
  bool ContinueAfterFailure(const RecordFailure&) override { return true; }
};

std::unique_ptr<OutputFile> OutputIfGiven(const std::string& path) {
  if (IsBlankName(path)) return nullptr;
  return std::make_unique<OutputFile>(path);
}

}  // namespace

void NestedMarcCheck(const MarcCheckOptions& options) {
  std::unique_ptr<OutputFile> lacks = OutputIfGiven(options.lacks_file);
  std::unique_ptr<OutputFile> common = OutputIfGiven(options.common_file);
  const bool first_only =
      !options.common_from_buyer || options.rule == MatchRule::IdenticalRecord;
  GoOn go_on;
  ScanMarcFile(
      options.supplier_file,
      [&](int64_t, std::string_view text, bool&) {
        const std::string supplier(text);
        bool matched = false;
        ScanMarcFile(
            options.buyer_file,
            [&](int64_t, std::string_view buyer, bool& cont) {
              bool match = false;
              try {
                match = MarcRecordsMatch(supplier, buyer, options.rule,
                                         options.fields, options.threshold,
                                         options.isbn_keys);
              } catch (const MarcFormatError&) {
              }
              if (!match) return;
              matched = true;
              if (common) {
                common->WriteLine(options.common_from_buyer ? buyer : supplier);
              }
              if (first_only) cont = false;
            },
            go_on);
        if (!matched && lacks) lacks->WriteLine(supplier);
      },
      go_on);
  if (lacks) lacks->Commit();
  if (common) common->Commit();
}

}  // namespace veltrane
