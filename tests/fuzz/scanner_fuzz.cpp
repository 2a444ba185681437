// Fuzz target: any bytes as a MARC file. The scan must never crash, and the
// count must agree with the records handed over and read again by offset.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "marc/record_reader.h"
#include "marc/scanner.h"

namespace {

class GoOn : public veltrane::RecordFailureListener {
 public:
  bool ContinueAfterFailure(const veltrane::RecordFailure&) override {
    return true;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path =
      "/tmp/veltrane-scanner-fuzz-" + std::to_string(::getpid());
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
  GoOn listener;
  std::vector<std::pair<int64_t, std::string>> records;
  int64_t count = veltrane::ScanMarcFileAt(
      path,
      [&](int64_t, std::string_view record, int64_t offset, bool&) {
        records.emplace_back(offset, std::string(record));
      },
      listener);
  if (count != static_cast<int64_t>(records.size()) ||
      count != veltrane::CountMarcRecords(path)) {
    __builtin_trap();
  }
  if (!records.empty()) {
    veltrane::RecordReader reader(path);
    for (const auto& [offset, record] : records) {
      if (reader.ReadAt(offset) != record) __builtin_trap();
    }
  }
  return 0;
}
