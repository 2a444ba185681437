// veltrane-cli labels end to end.
#include <gtest/gtest.h>

#include "cli/cli_runner.h"
#include "support/pdf_text.h"
#include "support/test_support.h"
#include "util/encoding.h"

namespace veltrane {
namespace {

using testing::IsoRecord;
using testing::RunCli;
using testing::TempDir;
using testing::WriteFile;

class LabelsCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(dir_.Path("in.iso"),
              IsoRecord({{"200", "1 $a" + Utf8ToGbk("红楼梦")},
                         {"905", "  $bL0001-2$dI242$e9\t1$f2$v1"}}) +
                  IsoRecord({{"200", "1 $aB"}, {"905", "  $bL0100$dA11$f1"}}));
  }
  testing::CliRun Run(const std::vector<std::string>& args) {
    return RunCli(dir_.Path(""), args);
  }
  TempDir dir_;
};

TEST_F(LabelsCliTest, ListsPerCopySortedWithEscapedData) {
  testing::CliRun run = Run({"labels", "in.iso", "--per-copy", "--split-range",
                             "--sort", "905d", "--list"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "isbn\tbookname\tauthor\t905v205a\t205a\t905b\t905c\t905d\t905v\t"
            "905e\t905f\t905y\n"
            "\tB\t\t\t\tL0100\t\tA11\t\t\t1\t\n"
            "\t红楼梦\t\t1\t\tL0001\t\tI242\t1\t9\\t1\t2\t\n"
            "\t红楼梦\t\t1\t\tL0002\t\tI242\t1\t9\\t1\t2\t\n");
  EXPECT_EQ(run.err, "源文件共 2 条记录，共导入 3 条\n");

  testing::CliRun renumbered = Run({"labels", "in.iso", "--renumber", "X01",
                                    "--sort", "图书名称:desc", "--list"});
  EXPECT_EQ(renumbered.status, 0) << renumbered.err;
  EXPECT_NE(renumbered.out.find("\t红楼梦\t\t1\t\tX01-02\t"),
            std::string::npos);
  EXPECT_LT(renumbered.out.find("红楼梦"), renumbered.out.find("\tB\t"));
  EXPECT_NE(renumbered.err.find("起始号：X03\n"), std::string::npos);
}

TEST_F(LabelsCliTest, PdfHoldsOneLabelPerRowInListOrder) {
  if (!testing::HavePdfToText()) GTEST_SKIP() << "pdftotext missing";
  testing::CliRun run = Run({"labels", "in.iso", "--per-copy", "--sort", "905d",
                             "--pdf", "labels.pdf"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "源文件共 2 条记录，共导入 3 条\n");
  testing::PdfText pdf = testing::ReadPdfText(dir_.Path("labels.pdf"));
  ASSERT_EQ(pdf.pages.size(), 1u);
  // A11 sorts first: the first label; I242 fills the next two.
  EXPECT_NEAR(pdf.Find("A11")->left, 10.319, 0.2);
  std::vector<double> lefts;
  for (const testing::PdfWord& word : pdf.words) {
    if (word.text == "I242") lefts.push_back(word.left);
  }
  ASSERT_EQ(lefts.size(), 2u);
  EXPECT_NEAR(lefts[0], 54 + 10.319, 0.2);
  EXPECT_NEAR(lefts[1], 108 + 10.319, 0.2);
}

TEST_F(LabelsCliTest, InputProblemsAndUsageErrors) {
  WriteFile(dir_.Path("empty.iso"), "");
  testing::CliRun empty = Run({"labels", "empty.iso", "--list"});
  EXPECT_EQ(empty.status, 2);
  EXPECT_EQ(empty.err, "原始MARC文件为空！\n");
  EXPECT_EQ(Run({"labels", "in.iso", "--renumber", "", "--list"}).err,
            "请输入起始登录号！\n");
  // A PDF over its own MARC file is refused; the file stays as it was.
  std::string marc = testing::ReadFile(dir_.Path("in.iso"));
  testing::CliRun over = Run({"labels", "in.iso", "--pdf", "./in.iso"});
  EXPECT_EQ(over.status, 2);
  EXPECT_NE(over.err.find("PDF文件不能是原始MARC文件本身"), std::string::npos);
  EXPECT_EQ(testing::ReadFile(dir_.Path("in.iso")), marc);
  for (std::vector<std::string> args :
       {std::vector<std::string>{"labels", "in.iso"},
        {"labels", "in.iso", "--list", "--pdf", "x.pdf"},
        {"labels", "in.iso", "--split-range", "--list"},
        {"labels", "in.iso", "--per-copy", "--split-range", "--renumber", "1",
         "--list"},
        {"labels", "in.iso", "--sort", "nope", "--list"}}) {
    EXPECT_EQ(Run(args).status, 2) << args.back();
  }
}

}  // namespace
}  // namespace veltrane
