#include "ops/buyer_records.h"

#include <vector>

#include "db/main_data.h"
#include "marc/error_log.h"
#include "marc/record.h"
#include "marc/record_reader.h"
#include "marc/scanner.h"

namespace veltrane {
namespace {

class FileRecords : public BuyerRecords {
 public:
  explicit FileRecords(const std::string& path) : path_(path), reader_(path) {}

  bool AddTo(BuyerIndex& index, FailureTally& failures,
             OperationHost& host) override {
    host.SetProgressTotal(CountMarcRecords(path_));
    ScanMarcFileAt(
        path_,
        [&](int64_t rec_no, std::string_view text, int64_t offset, bool&) {
          offsets_.push_back(offset);
          host.SetProgressPosition(rec_no);
          index.Add(text);
        },
        failures);
    return !failures.cancelled();
  }

  std::string Read(uint32_t position) override {
    return reader_.ReadAt(offsets_[position]);
  }

 private:
  const std::string path_;
  RecordReader reader_;
  std::vector<int64_t> offsets_;
};

class TableRecords : public BuyerRecords {
 public:
  explicit TableRecords(TMainData& data)
      : path_(data.path()), table_(data.BuyerTable()) {}

  bool AddTo(BuyerIndex& index, FailureTally& failures,
             OperationHost& host) override {
    table_.Reopen();
    host.SetProgressTotal(table_.RecordCount());
    for (; !table_.Eof(); table_.Next()) {
      std::string text = table_.Text("marcdata");
      host.SetProgressPosition(table_.Position() + 1);
      try {
        index.Add(text);
      } catch (const MarcFormatError& error) {
        int64_t recno = table_.Integer("recno");
        AppendErrorLogEntry(path_, recno, text);
        if (!failures.ContinueAfterFailure(
                RecordFailure{path_, recno, text, error.what()})) {
          return false;
        }
      }
    }
    return true;
  }

  std::string Read(uint32_t position) override {
    table_.MoveTo(position);
    return table_.Text("marcdata");
  }

 private:
  const std::string path_;
  TableCursor& table_;
};

}  // namespace

std::unique_ptr<BuyerRecords> BuyerFileRecords(const std::string& path) {
  return std::make_unique<FileRecords>(path);
}

std::unique_ptr<BuyerRecords> BuyerTableRecords(TMainData& data) {
  return std::make_unique<TableRecords>(data);
}

}  // namespace veltrane
