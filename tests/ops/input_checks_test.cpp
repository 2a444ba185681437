#include "ops/input_checks.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "db/main_data.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::TempDir;
using testing::WriteFile;

// The message of the problem CheckRunFiles finds, "" for none.
std::string Problem(const RunFiles& files) {
  std::optional<InputProblem> problem = CheckRunFiles(files);
  return problem ? problem->message + " @" + problem->input : "";
}

TEST(CheckRunFilesTest, OutputsMustNotBeInputsDatabasesOrEachOther) {
  TempDir dir;
  const std::string in = dir.Path("in.iso");
  WriteFile(in, "x");
  std::filesystem::create_hard_link(in, dir.Path("hard.iso"));
  std::filesystem::create_symlink("in.iso", dir.Path("soft.iso"));
  std::unique_ptr<TMainData> data = TMainData::Open(dir.Path("v.db"));
  const std::string fresh = dir.Path("new.txt");

  struct Case {
    RunFiles files;
    std::string problem;
  };
  const Case cases[] = {
      {{{{in, "marc_file"}}, {{fresh, "isbn_file"}}}, ""},
      {{{{in, "marc_file"}}, {{in, "isbn_file"}}},
       "输出文件不能是输入文件：" + in + " @isbn_file"},
      {{{{in, "marc_file"}}, {{dir.Path("hard.iso"), "isbn_file"}}},
       "输出文件不能是输入文件：" + dir.Path("hard.iso") + " @isbn_file"},
      {{{{dir.Path("./sub/../in.iso"), "a"}}, {{dir.Path("soft.iso"), "b"}}},
       "输出文件不能是输入文件：" + dir.Path("soft.iso") + " @b"},
      {{{}, {{dir.Path("v.db"), "isbn_file"}}},
       "输出文件不能是数据库文件：" + dir.Path("v.db") + " @isbn_file"},
      {{{}, {{fresh, "lacks_file"}, {dir.Path("./new.txt"), "common_file"}}},
       "两个输出文件不能是同一个文件：" + dir.Path("./new.txt") +
           " @common_file"},
      {{{}, {{"/dev/null", "lacks_file"}, {"/dev/null", "common_file"}}}, ""},
      {{{{dir.Path("missing.iso"), "a"}}, {{"", "b"}, {"  ", "c"}}}, ""},
      {{{{dir.Path(""), "marc_file"}}, {}},
       "无法读取（不是普通文件）：" + dir.Path("") + " @marc_file"},
  };
  std::filesystem::create_directory(dir.Path("sub"));
  for (const Case& c : cases) EXPECT_EQ(Problem(c.files), c.problem);

  const std::string fifo = dir.Path("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(Problem({{{fifo, "marc_file"}}, {{fresh, "isbn_file"}}}),
            "无法读取（不是普通文件）：" + fifo + " @marc_file");
}

}  // namespace
}  // namespace veltrane
