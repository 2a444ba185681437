#include "util/output_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <thread>

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

TEST(OutputFileTest, WritesThroughLinksAndKeepsTheMode) {
  TempDir dir;
  const std::string target = dir.Path("real.txt");
  WriteFile(target, "old");
  ::chmod(target.c_str(), 0640);
  std::filesystem::create_directory(dir.Path("sub"));
  std::filesystem::create_symlink("../real.txt", dir.Path("sub/link.txt"));
  std::filesystem::create_symlink("sub/link.txt", dir.Path("chain.txt"));
  std::filesystem::create_symlink("new.txt", dir.Path("dangling.txt"));

  OutputFile through_chain(dir.Path("chain.txt"));
  through_chain.Write("new");
  through_chain.Commit();
  EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("chain.txt")));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("sub/link.txt")));
  EXPECT_EQ(ReadFile(target), "new");
  EXPECT_EQ(std::filesystem::status(target).permissions(),
            std::filesystem::perms(0640));

  OutputFile dangling(dir.Path("dangling.txt"));
  dangling.Write("made");
  dangling.Commit();
  EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("dangling.txt")));
  EXPECT_EQ(ReadFile(dir.Path("new.txt")), "made");
}

TEST(OutputFileTest, WritesDirectlyToDevicesAndFifos) {
  OutputFile null_device("/dev/null");
  null_device.WriteLine("gone");
  null_device.Commit();
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));

  TempDir dir;
  const std::string fifo = dir.Path("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] { received = ReadFile(fifo); });
  {
    OutputFile out(fifo);
    out.WriteLine("through");
    out.Commit();
  }
  reader.join();
  EXPECT_EQ(received, "through\r\n");
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST(OutputFileTest, SignalCleanupRemovesTheTemporaryFile) {
  TempDir dir;
  WriteFile(dir.Path("out.txt"), "kept");
  OutputFile out(dir.Path("out.txt"));
  out.Write("half");
  UndoUnfinishedFiles();  // what the signal handler does
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path("")),
                          std::filesystem::directory_iterator()),
            1);
  EXPECT_EQ(ReadFile(dir.Path("out.txt")), "kept");
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
