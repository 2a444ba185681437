#include "bench/dedup_reference.h"

#include <string>

#include "marc/record.h"
#include "marc/scanner.h"
#include "marc/text_file.h"

namespace veltrane {
namespace {

class GoOn : public RecordFailureListener {
 public:
  bool ContinueAfterFailure(const RecordFailure&) override { return true; }
};

}  // namespace

void NestedDedupMarc(const DedupMarcOptions& options) {
  GoOn go_on;
  ScanMarcFile(
      options.marc_file,
      [&](int64_t, std::string_view text, bool&) {
        const std::string record(text);
        bool matched = false;
        ScanMarcFile(
            options.result_file,
            [&](int64_t, std::string_view kept, bool& cont) {
              try {
                matched =
                    MarcRecordsMatch(record, kept, options.rule, options.fields,
                                     options.threshold, options.isbn_keys);
              } catch (const MarcFormatError&) {
              }
              if (matched) cont = false;
            },
            go_on);
        if (!matched) AppendLine(options.result_file, record);
      },
      go_on);
}

void NestedDedupIsbn(const DedupIsbnOptions& options) {
  ForEachLine(options.isbn_file, [&](const std::string& line) {
    if (!FileHasLine(options.result_file, line)) {
      AppendLine(options.result_file, line);
    }
  });
}

}  // namespace veltrane
