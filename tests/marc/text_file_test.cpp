#include "marc/text_file.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(TextFileTest, CountLines) {
  TempDir dir;
  struct Case {
    const char* bytes;
    int64_t lines;
  } cases[] = {{"", 0},       {"a\r\nb", 2}, {"a\r\nb\r\n", 2}, {"\r\n", 1},
               {"a\nb\n", 2}, {"a\rb", 2},   {"a\r\n\r\nb", 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    WriteFile(dir.Path("f.txt"), c.bytes);
    EXPECT_EQ(CountLines(dir.Path("f.txt")), c.lines);
  }
  EXPECT_EQ(CountLines(dir.Path("missing.txt")), 0);
}

TEST(TextFileTest, FileHasLineIsExact) {
  TempDir dir;
  WriteFile(dir.Path("f.txt"), "7-5006-3772-1\r\nabc \r\nlast");
  EXPECT_TRUE(FileHasLine(dir.Path("f.txt"), "7-5006-3772-1"));
  EXPECT_TRUE(FileHasLine(dir.Path("f.txt"), "abc "));
  EXPECT_TRUE(FileHasLine(dir.Path("f.txt"), "last"));
  EXPECT_FALSE(FileHasLine(dir.Path("f.txt"), "abc"));
  EXPECT_FALSE(FileHasLine(dir.Path("f.txt"), "ABC "));
  EXPECT_FALSE(FileHasLine(dir.Path("missing.txt"), "x"));
}

TEST(TextFileTest, AppendLineCreatesAndAppends) {
  TempDir dir;
  AppendLine(dir.Path("log.txt"), "one");
  AppendLine(dir.Path("log.txt"), "two");
  EXPECT_EQ(ReadFile(dir.Path("log.txt")), "one\r\ntwo\r\n");
  EXPECT_THROW(AppendLine(dir.Path("no/dir/log.txt"), "x"), std::system_error);
}

TEST(TextFileTest, ForEachLineVisitsEveryLineInOrder) {
  TempDir dir;
  WriteFile(dir.Path("f.txt"), "a \r\n\r\nb\nc\rd");
  std::vector<std::string> lines;
  ForEachLine(dir.Path("f.txt"),
              [&](const std::string& line) { lines.push_back(line); });
  EXPECT_EQ(lines, (std::vector<std::string>{"a ", "", "b", "c", "d"}));
  EXPECT_THROW(ForEachLine(dir.Path("missing.txt"), [](const std::string&) {}),
               std::system_error);
}

}  // namespace
}  // namespace veltrane
