// Helpers shared by the test suites: temporary folders, file bytes, a
// hand-built ISO 2709 record encoder for fixtures (independent of the record
// model, so it can check it), the sample files, and a recording host.
#ifndef VELTRANE_TESTS_SUPPORT_TEST_SUPPORT_H_
#define VELTRANE_TESTS_SUPPORT_TEST_SUPPORT_H_

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ops/operation.h"

namespace veltrane::testing {

// A fresh folder, removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string Path(const std::string& name) const;

 private:
  std::filesystem::path root_;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

// One field of a fixture record: tag and the raw field bytes (indicators and
// 0x1F delimiters included, terminator excluded).
using RawField = std::pair<std::string, std::string>;

// A well-formed ISO 2709 record of these fields, leader codes "nam0 22" and
// "   450 ". 0x1F may be written as "$" in the field bytes for readability.
std::string IsoRecord(const std::vector<RawField>& fields);

// A record with 001 = id and, when isbn is not empty, 010 $a isbn.
std::string BookRecord(const std::string& id, const std::string& isbn);

// The folder of real sample files, when it is there.
std::optional<std::string> SamplesDir();

// An OperationHost that records what it is told and answers record failures
// from a script (then "continue").
class RecordingHost : public OperationHost {
 public:
  void SetProgressTotal(int64_t total) override { total_ = total; }
  void SetProgressPosition(int64_t position) override { position_ = position; }
  bool ContinueAfterFailure(const RecordFailure& failure) override;

  std::vector<bool> answers;            // consumed in order
  std::vector<int64_t> failed_records;  // rec_no of each failure
  int64_t total_ = -1;
  int64_t position_ = 0;
};

}  // namespace veltrane::testing

#endif  // VELTRANE_TESTS_SUPPORT_TEST_SUPPORT_H_
