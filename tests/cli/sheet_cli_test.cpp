#include <gtest/gtest.h>

#include "cli/cli_runner.h"
#include "sheet/workbook_io.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::RunCli;
using testing::TempDir;
using testing::WriteFile;

TEST(SheetCliTest, DumpsTheUsedBlockWithEscapes) {
  TempDir dir;
  Workbook book;
  book.sheets.emplace_back("一");
  book.sheets[0].SetCell(0, 0, "first");
  Sheet& data = book.sheets.emplace_back("数据");
  data.SetCell(1, 1, "B2");
  data.SetCell(2, 2, "两行\r\n\ttab\\");
  book.active = 1;
  WriteWorkbook(book, dir.Path("b.xls"));
  testing::CliRun run = RunCli(dir.Path(""), {"sheet", "dump", "b.xls"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "B2\t\n\t两行\\r\\n\\ttab\\\\\n");
  run = RunCli(dir.Path(""), {"sheet", "dump", "b.xls", "--sheet", "一"});
  EXPECT_EQ(run.out, "first\n");
  WriteFile(dir.Path("text.xls"), "not a workbook");
  run = RunCli(dir.Path(""), {"sheet", "dump", "text.xls"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("text.xls"), std::string::npos);
}

}  // namespace
}  // namespace veltrane
