#include "util/output_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(OutputFileTest, ReplacesTargetOnlyOnCommit) {
  TempDir dir;
  std::string path = dir.Path("out.txt");
  WriteFile(path, "old data");
  {
    OutputFile out(path);
    out.WriteLine("new");
    EXPECT_EQ(ReadFile(path), "old data");
  }  // abandoned: the old file stays, no temporary file is left
  EXPECT_EQ(ReadFile(path), "old data");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path("")),
                          std::filesystem::directory_iterator()),
            1);
  OutputFile out(path);
  out.WriteLine("new");
  out.Write(std::string(600 * 1024, 'x'));  // more than one buffer
  out.Commit();
  EXPECT_EQ(ReadFile(path), "new\r\n" + std::string(600 * 1024, 'x'));
}

TEST(OutputFileTest, UncreatableFileNamesThePath) {
  TempDir dir;
  try {
    OutputFile out(dir.Path("missing/out.txt"));
    FAIL();
  } catch (const std::system_error& error) {
    EXPECT_NE(std::string(error.what()).find("missing/out.txt"),
              std::string::npos);
  }
}

}  // namespace
}  // namespace veltrane
