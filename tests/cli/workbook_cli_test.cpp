// The workbook commands end to end: marc-to-sheet and sheet-to-marc,
// convert-isbn sheet|text, check-sheet, purchases export-sheet.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_runner.h"
#include "db/main_data.h"
#include "marc/record.h"
#include "ops/sheet_test_support.h"
#include "sheet/grid_cell_file.h"
#include "support/test_support.h"
#include "util/encoding.h"

namespace veltrane {
namespace {

using testing::IsoRecord;
using testing::ReadFile;
using testing::ReadSheetRows;
using testing::Rows;
using testing::SheetOf;
using testing::WriteFile;
using testing::WriteSheets;

class WorkbookCliTest : public ::testing::Test {
 protected:
  testing::CliRun Run(const std::vector<std::string>& args) {
    return testing::RunCli(dir_.Path(""), args);
  }
  std::string Path(const std::string& name) const { return dir_.Path(name); }
  testing::TempDir dir_;
};

TEST_F(WorkbookCliTest, MarcToSheetAndBack) {
  WriteFile(Path("in.iso"),
            IsoRecord({{"010", "  $a7500637721$d25"},
                       {"200", "1 $a" + Utf8ToGbk("书名")}}) +
                "\r\n");
  testing::CliRun out = Run({"marc-to-sheet", "in.iso", "list.xlsx", "--field",
                             "010a=ISBN", "--field", "200a=书名", "--field",
                             "010d=定价"});
  ASSERT_EQ(out.status, 0) << out.err;
  EXPECT_EQ(out.out, "MARC转EXCEL完成!共1条\n");
  EXPECT_EQ(ReadSheetRows(Path("list.xlsx"), "Sheet1"),
            (Rows{{"ISBN", "书名", "定价"}, {"7500637721", "书名", "25"}}));

  testing::CliRun back = Run({"sheet-to-marc", "list.xlsx", "back.iso",
                              "--institution", "本馆", "--map", "4=200e"});
  ASSERT_EQ(back.status, 0) << back.err;
  EXPECT_EQ(back.out, "EXCEL转MARC完成!共1条记录\n");
  EXPECT_TRUE(back.err.starts_with("建议指定："));  // no 210c, 200f, ...
  std::string record = ReadFile(Path("back.iso"));
  TMarcRecord marc = TMarcRecord::Create(record);
  EXPECT_EQ(marc.GetValue("010a"), "7-5006-3772-1");
  EXPECT_EQ(marc.GetValue("010d"), "CNY25.00");
  EXPECT_EQ(marc.GetValue("801b"), Utf8ToGbk("本馆"));
  EXPECT_EQ(marc.GetValue("200e"), "");

  // A saved field table (GBK, as the page saves it) instead of --field.
  Grid table(2, 2);
  table.SetCell(0, 0, Utf8ToGbk("输出的MARC字段"));
  table.SetCell(0, 1, "200a");
  table.SetCell(1, 1, Utf8ToGbk("题名"));
  SaveGridCellFile(table, Path("fields.txt"));
  ASSERT_EQ(Run({"marc-to-sheet", "in.iso", "t.xls", "--table", "fields.txt"})
                .status,
            0);
  EXPECT_EQ(ReadSheetRows(Path("t.xls"), "Sheet1"),
            (Rows{{"题名"}, {"书名"}}));
}

TEST_F(WorkbookCliTest, InputProblemsExitWithTheirMessage) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"marc-to-sheet", "none.iso", "o.xls", "--field", "200a=书名"},
       "请指定原始MARC文件。\n"},
      {{"sheet-to-marc", "none.xls", "o.iso"}, "请指定原始EXCEL文件。\n"},
      {{"check-sheet", "--buyer", "none.xls", "--supplier", "none.xls"},
       "找不到'none.xls'文件，请确定该文件是否存在？！\n"},
      {{"check-sheet"}, "请指定采购方文件!\n"},
      {{"convert-isbn", "text", "none.txt", "o.txt", "--format", "2"},
       "请指定原始ISBN文件。\n"},
  };
  for (const auto& [args, message] : cases) {
    testing::CliRun run = Run(args);
    EXPECT_EQ(run.status, 2) << args[0];
    EXPECT_EQ(run.err, message);
  }
  EXPECT_EQ(Run({"convert-isbn", "text", "a", "b", "--format", "4"}).status, 2);
  EXPECT_FALSE(std::filesystem::exists(Path("o.xls")));
}

TEST_F(WorkbookCliTest, ConvertIsbnInTextAndSheet) {
  WriteFile(Path("list.txt"), "0001 7-5006-3772-1 书\r\n0002\r\n");
  testing::CliRun text = Run({"convert-isbn", "text", "list.txt", "out.txt",
                              "--format", "2", "--start", "6"});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out, "转换完成!\n");
  EXPECT_EQ(ReadFile(Path("out.txt")), "0001 9787500637721 书\r\n0002\r\n");

  WriteSheets(Path("isbn.xlsx"),
              {SheetOf("Sheet1", {{"书名", "ISBN"},
                                  {"a", "7500637721"},
                                  {"b", "9787500637721"}})});
  testing::CliRun sheet =
      Run({"convert-isbn", "sheet", "isbn.xlsx", "--column", "ISBN",
           "--format", "0", "--range", "1", "--out", "out.xls", "--in-place"});
  ASSERT_EQ(sheet.status, 0) << sheet.err;
  const Rows converted = {{"书名", "ISBN", "转换后的ISBN"},
                          {"a", "7500637721", "7-5006-3772-1"},
                          {"b", "9787500637721", "9787500637721"}};
  EXPECT_EQ(ReadSheetRows(Path("out.xls"), "Sheet1"), converted);
  EXPECT_EQ(ReadSheetRows(Path("isbn.xlsx"), "转换后的表"), converted);
  EXPECT_EQ(Run({"convert-isbn", "sheet", "isbn.xlsx", "--column", "价",
                 "--format", "0", "--out", "x.xls"})
                .status,
            2);
}

TEST_F(WorkbookCliTest, CheckSheetByColumnNamesAndNumbers) {
  WriteSheets(Path("buyer.xlsx"),
              {SheetOf("Sheet1", {{"ISBN", "书名"}, {"1", "a"}, {"2", "b"}})});
  WriteSheets(Path("supplier.xls"),
              {SheetOf("Sheet1", {{"条码", "题名"}, {"1", "x"}, {"2", "b"}})});
  testing::CliRun run =
      Run({"check-sheet", "--buyer", "buyer.xlsx", "--supplier",
           "supplier.xls", "--pair", "ISBN=条码", "--pair", "1=1", "--result",
           "result.xlsx"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "利用双方EXCEL文件自动匹配查重完成!\n");
  EXPECT_EQ(ReadSheetRows(Path("result.xlsx"), "双方都有（采购方）"),
            (Rows{{"ISBN", "书名", "标记"}, {"2", "b", "对方已有"}}));
  testing::CliRun any =
      Run({"check-sheet", "--buyer", "buyer.xlsx", "--supplier",
           "supplier.xls", "--pair", "ISBN=条码", "--pair", "1=1", "--any",
           "--result", "any.xlsx"});
  EXPECT_EQ(ReadSheetRows(Path("any.xlsx"), "采购方有供应方没有"),
            (Rows{{"ISBN", "书名", "标记"}}));
  EXPECT_EQ(Run({"check-sheet", "--buyer", "buyer.xlsx", "--supplier",
                 "supplier.xls", "--pair", "ISBN=无此列", "--result", "r.xlsx"})
                .status,
            2);
}

TEST_F(WorkbookCliTest, PurchasesExportSheet) {
  TMainData::Open(Path("veldata.db"))->AddPurchase("7-5006-3772-1", 2);
  testing::CliRun run = Run({"purchases", "export-sheet", "bought.xlsx"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "导出完成!\n");
  Rows rows = ReadSheetRows(Path("bought.xlsx"), "Sheet1");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"序号", "ISBN", "采购数量", "时间"}));
  EXPECT_EQ(rows[1][1], "7-5006-3772-1");
}

}  // namespace
}  // namespace veltrane
