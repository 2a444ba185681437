#include "util/append_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(AppendFileTest, KeepsWhatTheFileHeldAndAddsBehindIt) {
  TempDir dir;
  std::string path = dir.Path("out.iso");
  WriteFile(path, "old\r\n");
  const std::string big(600 * 1024, 'x');  // more than one buffer
  AppendFile out(path);
  out.WriteLine("one");
  out.Write(big);
  out.Close();
  EXPECT_EQ(ReadFile(path), "old\r\none\r\n" + big);

  AppendFile again(path);
  again.WriteLine("two");
  again.Close();
  EXPECT_EQ(ReadFile(path), "old\r\none\r\n" + big + "two\r\n");
}

TEST(AppendFileTest, CreatedOnlyByTheFirstWrite) {
  TempDir dir;
  AppendFile(dir.Path("none.iso")).Close();
  EXPECT_FALSE(std::filesystem::exists(dir.Path("none.iso")));
  AppendFile out(dir.Path("new.iso"));
  out.WriteLine("");
  out.Close();
  EXPECT_EQ(ReadFile(dir.Path("new.iso")), "\r\n");
}

TEST(AppendFileTest, AbandonedOrSignalledRunIsTakenBack) {
  TempDir dir;
  std::string path = dir.Path("out.iso");
  WriteFile(path, "old\r\n");
  const std::string big(600 * 1024, 'x');  // partly on disk already
  {
    AppendFile out(path);
    out.Write(big);
  }
  EXPECT_EQ(ReadFile(path), "old\r\n");
  {
    AppendFile created(dir.Path("new.iso"));
    created.Write(big);
  }
  EXPECT_FALSE(std::filesystem::exists(dir.Path("new.iso")));

  AppendFile signalled(path);
  signalled.Write(big);
  UndoUnfinishedFiles();  // what the signal handler does
  EXPECT_EQ(ReadFile(path), "old\r\n");
}

TEST(AppendFileTest, UnwritableFileNamesThePath) {
  TempDir dir;
  AppendFile out(dir.Path("missing/out.iso"));
  try {
    out.WriteLine("x");
    FAIL();
  } catch (const std::system_error& error) {
    EXPECT_NE(std::string(error.what()).find("missing/out.iso"),
              std::string::npos);
  }
}

}  // namespace
}  // namespace veltrane
