#include "ops/buyer_import.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "db/main_data.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::IsoRecord;
using testing::ReadFile;
using testing::RecordingHost;
using testing::TempDir;
using testing::WriteFile;

// A buyer record with 200 $a, and 010 $a and 905 $f when given.
std::string BuyerRecord(const std::string& title, const std::string& isbn,
                        const std::string& copies) {
  std::vector<testing::RawField> fields = {{"001", "id"}};
  if (!isbn.empty()) fields.push_back({"010", "  $a" + isbn + "$dCNY20"});
  fields.push_back({"200", "1 $a" + title});
  if (!copies.empty()) fields.push_back({"905", "  $aLIB$f" + copies});
  return IsoRecord(fields);
}

TEST(RecordCopiesTest, FixedNumberFieldValueOrOne) {
  using Source = CopyOption::Source;
  struct Case {
    Source source;
    std::string fixed;
    std::string field;
    std::string value_905f;  // "" : the record has no 905
    int copies;
  };
  const std::vector<Case> cases = {
      {Source::kOne, "7", "905f", "3", 1},
      {Source::kFixed, "2", "905f", "3", 2},
      {Source::kFixed, "-2", "905f", "", -2},
      {Source::kFixed, "", "905f", "3", 1},
      {Source::kFixed, "2 ", "905f", "", 1},
      {Source::kFixed, "2\xB1\xBE", "905f", "", 1},  // "2本"
      {Source::kFixed, "3000000000", "905f", "", 1},
      {Source::kField, "7", "905f", "3", 3},
      {Source::kField, "", "905f", "", 1},
      {Source::kField, "", "905f", "3\xB1\xBE", 1},
      {Source::kField, "", "905a", "3", 1},  // "LIB"
      {Source::kField, "", "010d", "3", 1},  // "CNY20"
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fixed + " / " + c.field + " / " + c.value_905f);
    TMarcRecord record =
        TMarcRecord::Create(BuyerRecord("T", "7-5006-3772-1", c.value_905f));
    EXPECT_EQ(RecordCopies({c.source, c.fixed, c.field}, record), c.copies);
  }
}

class BuyerImportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("VELTRANE_ERROR_LOG", dir_.Path("ErrorLog.txt").c_str(), 1);
    data_ = TMainData::Open(dir_.Path("veldata.db"));
  }

  BuyerImportOptions Options(CopyOption copies = {}) {
    return {dir_.Path("buyer.iso"), std::move(copies)};
  }

  BuyerImportResult Import(CopyOption copies = {}) {
    auto outcome = RunBuyerImport(Options(std::move(copies)), *data_, host_);
    EXPECT_TRUE(std::holds_alternative<BuyerImportResult>(outcome));
    return std::get<BuyerImportResult>(outcome);
  }

  // The buyer rows as "title|isbn|rsnumber", in recno order.
  std::vector<std::string> Rows() {
    TableCursor& buyer = data_->BuyerTable();
    buyer.Reopen();
    std::vector<std::string> rows;
    for (; !buyer.Eof(); buyer.Next()) {
      rows.push_back(buyer.Text("title") + "|" + buyer.Text("isbn") + "|" +
                     buyer.Text("rsnumber"));
    }
    return rows;
  }

  TempDir dir_;
  std::unique_ptr<TMainData> data_;
  RecordingHost host_;
};

TEST_F(BuyerImportTest, AppendsOneRowPerRecordWithItsCopies) {
  const std::string first = BuyerRecord("A", "7-5006-3772-1", "3");
  WriteFile(dir_.Path("buyer.iso"),
            first + "\r\n" + BuyerRecord("B", "", "") + "\r\n" +
                BuyerRecord("\xB2\xE2\xCA\xD4", "7-111-22222-9", "2\xB1\xBE"));
  struct Case {
    CopyOption copies;
    std::vector<std::string> rows;
  };
  const std::vector<Case> cases = {
      {{CopyOption::Source::kFixed, "2", "905f"},
       {"A|7-5006-3772-1|2", "B||2", "\xB2\xE2\xCA\xD4|7-111-22222-9|2"}},
      {{CopyOption::Source::kField, "2", "905f"},
       {"A|7-5006-3772-1|3", "B||1", "\xB2\xE2\xCA\xD4|7-111-22222-9|1"}},
      {{}, {"A|7-5006-3772-1|1", "B||1", "\xB2\xE2\xCA\xD4|7-111-22222-9|1"}},
  };
  for (const Case& c : cases) {
    data_->ClearBuyerTable();
    BuyerImportResult result = Import(c.copies);
    EXPECT_EQ(Rows(), c.rows);
    EXPECT_EQ(result.records, 3);
    EXPECT_EQ(result.imported, 3);
    EXPECT_EQ(result.failed, 0);
    EXPECT_EQ(CompletionLine(result.completion), "导入完成。共3条");
    EXPECT_EQ(host_.total_, 3);
    EXPECT_EQ(host_.position_, 3);
  }
  TableCursor& buyer = data_->BuyerTable();
  buyer.Reopen();
  EXPECT_EQ(buyer.Text("marcdata"), first);
}

TEST_F(BuyerImportTest, PlanAsksBeforeAddingToExistingRows) {
  WriteFile(dir_.Path("buyer.iso"), BuyerRecord("A", "7-5006-3772-1", "") +
                                        BuyerRecord("B", "7-111-22222-9", ""));
  auto plan = PlanBuyerImport(Options(), *data_);
  ASSERT_TRUE(std::holds_alternative<BuyerImportPlan>(plan));
  EXPECT_EQ(std::get<BuyerImportPlan>(plan).existing_rows, 0);
  EXPECT_EQ(std::get<BuyerImportPlan>(plan).records, 2);
  EXPECT_EQ(BuyerImportQuestion(std::get<BuyerImportPlan>(plan)), "");

  Import();
  plan = PlanBuyerImport(Options(), *data_);
  EXPECT_EQ(
      BuyerImportQuestion(std::get<BuyerImportPlan>(plan)),
      "已存在采购方MARC数据  2条\n\n本次将导入2条数据\n\n\n是否继续导入？");
  Import();  // added to the rows already there, nothing replaced
  EXPECT_EQ(Rows().size(), 4u);
}

TEST_F(BuyerImportTest, MissingFileIsRefusedByPlanAndRun) {
  for (const std::string& path :
       {dir_.Path("none.iso"), std::string(), dir_.Path("")}) {
    BuyerImportOptions options{path, {}};
    auto plan = PlanBuyerImport(options, *data_);
    ASSERT_TRUE(std::holds_alternative<InputProblem>(plan));
    EXPECT_EQ(std::get<InputProblem>(plan).message, "指定的文件不存在！");
    auto run = RunBuyerImport(options, *data_, host_);
    ASSERT_TRUE(std::holds_alternative<InputProblem>(run));
    EXPECT_EQ(std::get<InputProblem>(run).message, "指定的文件不存在！");
  }
  EXPECT_TRUE(Rows().empty());

  // A file without a single record is not worth a question.
  WriteFile(dir_.Path("empty.iso"), "not a record\r\n");
  auto empty = PlanBuyerImport({dir_.Path("empty.iso"), {}}, *data_);
  ASSERT_TRUE(std::holds_alternative<InputProblem>(empty));
  EXPECT_EQ(std::get<InputProblem>(empty).message, "原始MARC文件为空！");
}

TEST_F(BuyerImportTest, FixedCopiesBeyondThe32BitRangeAreRefused) {
  WriteFile(dir_.Path("buyer.iso"), BuyerRecord("A", "1", ""));
  auto run = RunBuyerImport(
      Options({CopyOption::Source::kFixed, "4294967296", "905f"}), *data_,
      host_);
  ASSERT_TRUE(std::holds_alternative<InputProblem>(run));
  EXPECT_EQ(std::get<InputProblem>(run).input, "copies");
  EXPECT_TRUE(Rows().empty());
}

// A stop ends the import between records; what was imported stays, and the
// completion counts what the table now holds from this import.
TEST_F(BuyerImportTest, StopKeepsWhatWasImported) {
  struct StoppingHost : RecordingHost {
    bool StopRequested() override { return position_ >= 2; }
  } host;
  WriteFile(dir_.Path("buyer.iso"), BuyerRecord("A", "1", "") + "\r\n" +
                                        BuyerRecord("B", "2", "") + "\r\n" +
                                        BuyerRecord("C", "3", ""));
  auto run = RunBuyerImport(Options(), *data_, host);
  ASSERT_TRUE(std::holds_alternative<BuyerImportResult>(run));
  const BuyerImportResult& result = std::get<BuyerImportResult>(run);
  EXPECT_TRUE(result.cancelled);
  EXPECT_EQ(CompletionLine(result.completion), "导入已停止。共2条");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"A|1|1", "B|2|1"}));
}

TEST_F(BuyerImportTest, FailingRecordIsLoggedAndTheHostDecides) {
  std::string bad = BuyerRecord("Bad", "7-020-04567-7", "");
  bad.replace(12, 5, "0004x");
  WriteFile(dir_.Path("buyer.iso"), BuyerRecord("A", "7-5006-3772-1", "") +
                                        bad +
                                        BuyerRecord("C", "7-111-22222-9", ""));
  BuyerImportResult go_on = Import();
  EXPECT_EQ(go_on.records, 3);
  EXPECT_EQ(go_on.imported, 2);
  EXPECT_EQ(go_on.failed, 1);
  EXPECT_FALSE(go_on.cancelled);
  EXPECT_EQ(CompletionLine(go_on.completion), "导入完成。共2条");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"A|7-5006-3772-1|1",
                                              "C|7-111-22222-9|1"}));
  EXPECT_NE(ReadFile(dir_.Path("ErrorLog.txt")).find(bad), std::string::npos);

  data_->ClearBuyerTable();
  host_.answers = {false};
  BuyerImportResult stopped = Import();
  EXPECT_TRUE(stopped.cancelled);
  EXPECT_EQ(stopped.imported, 1);
  // What was imported before the stop is committed.
  data_.reset();
  data_ = TMainData::Open(dir_.Path("veldata.db"));
  EXPECT_EQ(Rows(), std::vector<std::string>{"A|7-5006-3772-1|1"});
}

class BuyerExportTest : public BuyerImportTest {
 protected:
  std::variant<InputProblem, BuyerExportResult> Export(
      const std::string& isbn_file, const std::string& marc_file) {
    return RunBuyerExport({isbn_file, marc_file}, *data_, host_);
  }
};

TEST_F(BuyerExportTest, DatabaseRowsWhenThereAreAny) {
  data_->AppendBuyerRow("A", "7-5006-3772-1", 1, "");
  data_->AppendBuyerRow("B", "", 1, "");
  data_->AppendBuyerRow("C", "7500-6375", 1, "");
  WriteFile(dir_.Path("buyer.iso"), BuyerRecord("X", "7-111-22222-9", ""));
  auto outcome = Export(dir_.Path("out.txt"), dir_.Path("buyer.iso"));
  ASSERT_TRUE(std::holds_alternative<BuyerExportResult>(outcome));
  const BuyerExportResult& result = std::get<BuyerExportResult>(outcome);
  EXPECT_TRUE(result.from_database);
  EXPECT_EQ(result.lines, 3);
  EXPECT_EQ(CompletionLine(result.completion),
            "将本系统数据库中的ISBN导出完成!");
  EXPECT_EQ(ReadFile(dir_.Path("out.txt")),
            "7-5006-3772-1\r\n\r\n7500-6375\r\n");
  EXPECT_EQ(host_.total_, 3);
  EXPECT_EQ(host_.position_, 3);
}

TEST_F(BuyerExportTest, MarcFileWhenTheTableIsEmpty) {
  WriteFile(dir_.Path("buyer.iso"), BuyerRecord("A", "7-111-22222-9", "") +
                                        BuyerRecord("B", "", "") +
                                        BuyerRecord("C", "7-5006-3772-1", ""));
  auto outcome = Export(dir_.Path("out.txt"), dir_.Path("buyer.iso"));
  ASSERT_TRUE(std::holds_alternative<BuyerExportResult>(outcome));
  const BuyerExportResult& result = std::get<BuyerExportResult>(outcome);
  EXPECT_FALSE(result.from_database);
  EXPECT_EQ(CompletionLine(result.completion), "ISBN导出完成。共3条");
  EXPECT_EQ(ReadFile(dir_.Path("out.txt")),
            "7-111-22222-9\r\n\r\n7-5006-3772-1\r\n");
  EXPECT_TRUE(Rows().empty());
}

TEST_F(BuyerExportTest, InputChecksInOrder) {
  struct Case {
    std::string isbn_file;
    std::string marc_file;
    std::string message;
  };
  const std::vector<Case> cases = {
      {" ", dir_.Path("none.iso"), "请指定你要输出的ISBN文件的文件名和路径！"},
      {dir_.Path("out.txt"), "", "请指定MARC数据文件"},
      {dir_.Path("out.txt"), "  ", "请指定MARC数据文件"},
      {dir_.Path("out.txt"), dir_.Path("none.iso"), "请指定MARC数据文件"},
  };
  for (const Case& c : cases) {
    auto outcome = Export(c.isbn_file, c.marc_file);
    ASSERT_TRUE(std::holds_alternative<InputProblem>(outcome));
    EXPECT_EQ(std::get<InputProblem>(outcome).message, c.message);
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.Path("out.txt")));
}

}  // namespace
}  // namespace veltrane
