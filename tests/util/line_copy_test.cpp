#include "util/line_copy.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::TempDir;
using testing::WriteFile;

std::string Copied(const TempDir& dir, const std::string& bytes) {
  WriteFile(dir.Path("in"), bytes);
  std::unique_ptr<FileReader> in = FileReader::Open(dir.Path("in"));
  std::string out;
  CopyLinesCrLf(*in, [&](std::string_view piece) { out += piece; });
  return out;
}

TEST(CopyLinesCrLfTest, EveryLineEndsInCrLf) {
  TempDir dir;
  const std::string long_line(200000, 'x');
  const std::string to_boundary(65535, 'y');  // its CR ends the first piece
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", ""},
      {"a", "a\r\n"},
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"a\nb\rc\r\n\n\r\r\n", "a\r\nb\r\nc\r\n\r\n\r\n\r\n"},
      {std::string("\0\x1D\x1E", 3) + "\n",
       std::string("\0\x1D\x1E", 3) + "\r\n"},
      {long_line, long_line + "\r\n"},
      {to_boundary + "\r\nz", to_boundary + "\r\nz\r\n"},
      {to_boundary + "\rz", to_boundary + "\r\nz\r\n"},
  };
  for (const auto& [in, out] : cases) {
    EXPECT_TRUE(Copied(dir, in) == out) << in.substr(0, 20);
  }
}

}  // namespace
}  // namespace veltrane
