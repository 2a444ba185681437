#include "ops/iso_file_index.h"

#include <algorithm>
#include <system_error>

#include "marc/hand_record.h"
#include "marc/record_reader.h"
#include "util/encoding.h"

namespace veltrane {
namespace {

// Answers nothing: counting never fails on a record.
class NoFailures : public RecordFailureListener {
 public:
  bool ContinueAfterFailure(const RecordFailure&) override { return true; }
};

void LowerLatin(std::string& text) {
  std::transform(text.begin(), text.end(), text.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
}

}  // namespace

std::optional<IsoFileIndex::Stamp> IsoFileIndex::StampOf(
    const std::string& file_name) {
  std::error_code error;
  std::filesystem::path path(file_name);
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  Stamp stamp{file_name, std::filesystem::file_size(path, error),
              std::filesystem::last_write_time(path, error)};
  if (error) return std::nullopt;
  return stamp;
}

bool IsoFileIndex::FileExists(const std::string& file_name) {
  return StampOf(file_name).has_value();
}

IsoFileIndex IsoFileIndex::Build(const std::string& file_name,
                                 OperationHost& host) {
  IsoFileIndex index;
  index.stamp_ = StampOf(file_name);
  if (!index.stamp_) return index;
  host.SetProgressTotal(static_cast<int64_t>(index.stamp_->size));
  NoFailures no_failures;
  ScanMarcFileAt(
      file_name,
      [&](int64_t, std::string_view, int64_t offset, bool&) {
        index.offsets_.push_back(offset);
        host.SetProgressPosition(offset);
      },
      no_failures);
  return index;
}

bool IsoFileIndex::Describes(const std::string& file_name) const {
  if (!stamp_) return false;
  std::optional<Stamp> now = StampOf(file_name);
  return now && now->name == stamp_->name && now->size == stamp_->size &&
         now->modified == stamp_->modified;
}

bool IsoFileIndex::Show(const std::string& file_name, int64_t rec_no,
                        const MarcRecordHandler& show,
                        RecordFailureListener& listener) const {
  if (!FileExists(file_name)) return false;
  if (Describes(file_name) && rec_no >= 1 && rec_no <= Total()) {
    RecordReader reader(file_name);
    std::string record = reader.ReadAt(offsets_[rec_no - 1]);
    bool cont = false;
    HandRecord(file_name, rec_no, record, listener, cont,
               [&] { show(rec_no, record, cont); });
    return true;
  }
  ScanMarcFile(
      file_name,
      [&](int64_t n, std::string_view record, bool& cont) {
        if (n != rec_no) return;
        cont = false;
        show(n, record, cont);
      },
      listener);
  return true;
}

std::optional<int64_t> IsoFileIndex::Find(const std::string& file_name,
                                          int64_t after,
                                          std::string_view needle,
                                          OperationHost& host) const {
  std::string wanted(needle);
  LowerLatin(wanted);
  std::optional<int64_t> found;
  host.SetProgressTotal(std::max<int64_t>(Total() - after, 0));
  ScanMarcFile(
      file_name,
      [&](int64_t n, std::string_view record, bool& cont) {
        if (n <= after) return;
        std::string text = DecodeForDisplay(record);
        LowerLatin(text);
        if (text.find(wanted) != std::string::npos) {
          found = n;
          cont = false;
        } else if (host.StopRequested()) {
          cont = false;
        }
        host.SetProgressPosition(n - after);
      },
      host);
  return found;
}

}  // namespace veltrane
