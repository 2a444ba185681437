#include "support/test_support.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace veltrane::testing {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  root_ = std::filesystem::temp_directory_path() /
          ("veltrane-test-" + std::to_string(::getpid()) + "-" +
           std::to_string(counter++));
  std::filesystem::remove_all(root_);
  std::filesystem::create_directories(root_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

std::string TempDir::Path(const std::string& name) const {
  return (root_ / name).string();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

namespace {

std::string Digits(size_t value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*zu", width, value);
  return text;
}

}  // namespace

std::string IsoRecord(const std::vector<RawField>& fields) {
  std::string directory, data;
  for (const auto& [tag, raw] : fields) {
    std::string bytes = raw;
    for (char& c : bytes) {
      if (c == '$') c = '\x1F';
    }
    bytes.push_back('\x1E');
    directory += tag + Digits(bytes.size(), 4) + Digits(data.size(), 5);
    data += bytes;
  }
  directory.push_back('\x1E');
  data.push_back('\x1D');
  size_t base = 24 + directory.size();
  return Digits(base + data.size(), 5) + "nam0 22" + Digits(base, 5) +
         "   450 " + directory + data;
}

std::string BookRecord(const std::string& id, const std::string& isbn) {
  std::vector<RawField> fields = {{"001", id}};
  if (!isbn.empty()) fields.push_back({"010", "  $a" + isbn + "$dCNY25.00"});
  fields.push_back({"200", "1 $aTitle " + id});
  return IsoRecord(fields);
}

std::optional<std::string> SamplesDir() {
  std::string dir = VELTRANE_SAMPLES_DIR;
  if (std::filesystem::is_directory(dir + "/marc")) return dir;
  return std::nullopt;
}

bool RecordingHost::ContinueAfterFailure(const RecordFailure& failure) {
  failed_records.push_back(failure.rec_no);
  if (answers.empty()) return true;
  bool answer = answers.front();
  answers.erase(answers.begin());
  return answer;
}

}  // namespace veltrane::testing
