#include "ops/marc_check.h"

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

std::string Book(const std::string& id, const std::string& isbn) {
  return IsoRecord({{"001", id},
                    {"010", "  $a" + isbn + "$dCNY20"},
                    {"200", "1 $aTitle " + id}});
}

// `record` with a letter in its base address.
std::string Unreadable(std::string record) {
  record[14] = 'x';
  return record;
}

std::string FileOf(const std::vector<std::string>& records) {
  std::string bytes;
  for (const std::string& record : records) bytes += record + "\r\n";
  return bytes;
}

class MarcCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("VELTRANE_ERROR_LOG", Path("ErrorLog.txt").c_str(), 1);
  }

  std::string Path(const std::string& name) const { return dir_.Path(name); }

  void WriteFiles(const std::vector<std::string>& buyer,
                  const std::vector<std::string>& supplier) {
    WriteFile(Path("buyer.iso"), FileOf(buyer));
    WriteFile(Path("supplier.iso"), FileOf(supplier));
  }

  MarcCheckOptions Options(MatchRule rule, bool from_buyer = true) {
    MarcCheckOptions options;
    options.buyer_source = BuyerSource::kFile;
    options.buyer_file = Path("buyer.iso");
    options.supplier_file = Path("supplier.iso");
    options.rule = rule;
    options.lacks_file = Path("lacks.iso");
    options.common_file = Path("common.iso");
    options.common_from_buyer = from_buyer;
    return options;
  }

  MarcCheckResult Run(const MarcCheckOptions& options,
                      TMainData* data = nullptr) {
    auto outcome = RunMarcCheck(options, data, host_);
    EXPECT_TRUE(std::holds_alternative<MarcCheckResult>(outcome));
    return std::get<MarcCheckResult>(outcome);
  }

  bool Exists(const std::string& name) const {
    return std::filesystem::exists(Path(name));
  }

  TempDir dir_;
  RecordingHost host_;
};

TEST(CleanFieldListTest, TrimsAndDropsOneCommaAtEachEnd) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {" ,200a,010a, ", "200a,010a"},
      {",,200a,,", ",200a,"},
      {",", ""},
      {"", ""},
      {"200a", "200a"},
      {"200a ,", "200a "},
  };
  for (const auto& [typed, cleaned] : cases) {
    EXPECT_EQ(CleanFieldList(typed), cleaned) << typed;
  }
}

TEST_F(MarcCheckTest, InputChecksInOrder) {
  WriteFiles({Book("1", "7-5006-3772-1")}, {Book("2", "7-5006-3772-1")});
  struct Case {
    const char* name;
    void (*change)(MarcCheckOptions&);
    const char* message;  // nullptr: no problem
    const char* input;
  };
  const std::vector<Case> cases = {
      {"no buyer source",
       [](MarcCheckOptions& o) {
         o.buyer_source = BuyerSource::kNone;
         o.supplier_file = "none.iso";
       },
       "请指定采购方数据源。", "buyer_source"},
      {"table without a database",
       [](MarcCheckOptions& o) { o.buyer_source = BuyerSource::kDatabase; },
       "请指定采购方数据源。", "buyer_source"},
      {"missing buyer file",
       [](MarcCheckOptions& o) {
         o.buyer_file += ".none";
         o.supplier_file = "none.iso";
       },
       "请指定采购方数据源。", "buyer_file"},
      {"missing supplier file",
       [](MarcCheckOptions& o) {
         o.supplier_file += ".none";
         o.rule = MatchRule::ListedFields;
         o.fields = "2x0a";
       },
       "请指定供应商方数据源。", "supplier_file"},
      {"invalid item",
       [](MarcCheckOptions& o) {
         o.rule = MatchRule::ListedFields;
         o.fields = "2x0a";
         o.lacks_file = o.common_file = "";
       },
       "查重字段书写错误!\n\n请参考例子或说明", "fields"},
      {"short item",
       [](MarcCheckOptions& o) {
         o.rule = MatchRule::ListedFields;
         o.fields = "200a,20";
       },
       "查重字段书写错误!\n\n请参考例子或说明", "fields"},
      {"the list is checked under the field rule only",
       [](MarcCheckOptions& o) {
         o.rule = MatchRule::SameIsbn;
         o.fields = "2x0a";
         o.lacks_file = " ";
         o.common_file = "";
       },
       "最少需要指定一个输出文件。", "lacks_file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MarcCheckOptions options = Options(MatchRule::IdenticalRecord);
    c.change(options);
    auto outcome = RunMarcCheck(options, nullptr, host_);
    ASSERT_TRUE(std::holds_alternative<InputProblem>(outcome));
    EXPECT_EQ(std::get<InputProblem>(outcome).message, c.message);
    EXPECT_EQ(std::get<InputProblem>(outcome).input, c.input);
  }
  EXPECT_FALSE(Exists("lacks.iso"));
  EXPECT_FALSE(Exists("common.iso"));

  // Surrounding commas, empty items and an empty list pass.
  for (const char* fields : {" ,200a,,010a, ", ""}) {
    MarcCheckOptions options = Options(MatchRule::ListedFields);
    options.fields = fields;
    EXPECT_TRUE(std::holds_alternative<MarcCheckResult>(
        RunMarcCheck(options, nullptr, host_)))
        << fields;
  }
}

TEST_F(MarcCheckTest, CommonOutputFromEitherSide) {
  const std::string b1 = Book("b1", "7-5006-3772-1");
  const std::string b2 = Book("b2", "7-02-1");
  const std::string b3 = Book("b3", "7-5006-3772-1");
  const std::string b4 = Book("b4", "7-5006-3772-1");
  const std::string s1 = Book("s1", "7-5006-3772-1");
  const std::string s2 = Book("s2", "7-999-9");
  const std::string s3 = Book("s3", "7-02-1");
  WriteFiles({b1, b2, b3, b4}, {s1, s2, s3, b3});
  struct Case {
    MatchRule rule;
    bool from_buyer;
    std::vector<std::string> common;
    std::vector<std::string> lacks;
  };
  const std::vector<Case> cases = {
      {MatchRule::SameIsbn, true, {b1, b3, b4, b2, b1, b3, b4}, {s2}},
      {MatchRule::SameIsbn, false, {s1, s3, b3}, {s2}},
      {MatchRule::IdenticalRecord, true, {b3}, {s1, s2, s3}},
      {MatchRule::IdenticalRecord, false, {b3}, {s1, s2, s3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.rule) * 10 + c.from_buyer);
    MarcCheckResult result = Run(Options(c.rule, c.from_buyer));
    EXPECT_EQ(ReadFile(Path("common.iso")), FileOf(c.common));
    EXPECT_EQ(ReadFile(Path("lacks.iso")), FileOf(c.lacks));
    EXPECT_EQ(result.supplier_records, 4);
    EXPECT_EQ(result.common, static_cast<int64_t>(c.common.size()));
    EXPECT_EQ(result.lacking, static_cast<int64_t>(c.lacks.size()));
    EXPECT_EQ(result.failed, 0);
    EXPECT_EQ(CompletionLine(result.completion),
              "利用双方MARC数据自动匹配查重完成!");
    EXPECT_EQ(host_.total_, 4);
    EXPECT_EQ(host_.position_, 4);
  }
}

TEST_F(MarcCheckTest, OnlyTheGivenOutputIsWritten) {
  const std::string b1 = Book("b1", "7-5006-3772-1");
  const std::string s1 = Book("s1", "7-5006-3772-1");
  const std::string s2 = Book("s2", "7-999-9");
  WriteFiles({b1}, {s1, s2});
  MarcCheckOptions lacks_only = Options(MatchRule::SameIsbn);
  lacks_only.common_file = " ";
  Run(lacks_only);
  EXPECT_EQ(ReadFile(Path("lacks.iso")), FileOf({s2}));
  EXPECT_FALSE(Exists("common.iso"));

  std::filesystem::remove(Path("lacks.iso"));
  WriteFile(Path("common.iso"), "old bytes");
  MarcCheckOptions common_only = Options(MatchRule::SameIsbn);
  common_only.lacks_file = "";
  Run(common_only);
  EXPECT_EQ(ReadFile(Path("common.iso")), FileOf({b1}));
  EXPECT_FALSE(Exists("lacks.iso"));
}

// Books without an ISBN share nothing under the ISBN rule: the supplier's
// goes to the lacks output, the buyer's never to the common one (unless the
// texts are the same).
TEST_F(MarcCheckTest, RecordsWithoutIsbnAreRepeatsOfNothingUnderTheIsbnRule) {
  const std::string b_none = IsoRecord({{"001", "b1"}, {"200", "1 $aB1"}});
  const std::string b_no_a = IsoRecord({{"001", "b2"}, {"010", "  $dCNY1"}});
  const std::string b_isbn = Book("b3", "7-5006-3772-1");
  const std::string s_none = IsoRecord({{"001", "s1"}, {"200", "1 $aS1"}});
  const std::string s_no_a = IsoRecord({{"001", "s2"}, {"010", "  $a"}});
  WriteFiles({b_none, b_no_a, b_isbn}, {s_none, s_no_a, b_none});
  for (bool keys : {false, true}) {
    MarcCheckOptions options = Options(MatchRule::SameIsbn);
    options.isbn_keys = keys;
    MarcCheckResult result = Run(options);
    EXPECT_EQ(ReadFile(Path("lacks.iso")), FileOf({s_none, s_no_a}));
    EXPECT_EQ(ReadFile(Path("common.iso")), FileOf({b_none}));
    EXPECT_EQ(result.common, 1);
  }
}

TEST_F(MarcCheckTest,
       UnreadableBuyerRecordIsReportedOnceAndMatchesOnlyItsText) {
  const std::string good = Book("b1", "7-5006-3772-1");
  const std::string bad = Unreadable(Book("b2", "7-02-1"));
  const std::string same_isbn = Book("s2", "7-02-1");
  WriteFiles({good, bad}, {same_isbn, bad, Book("s3", "7-5006-3772-1")});

  MarcCheckResult result = Run(Options(MatchRule::SameIsbn));
  EXPECT_EQ(ReadFile(Path("common.iso")), FileOf({bad, good}));
  EXPECT_EQ(ReadFile(Path("lacks.iso")), FileOf({same_isbn}));
  // Buyer record 2 while indexing; then the supplier's copy of it.
  EXPECT_EQ(host_.failed_records, (std::vector<int64_t>{2, 2}));
  EXPECT_EQ(result.failed, 2);
  const std::string log = ReadFile(Path("ErrorLog.txt"));
  EXPECT_NE(log.find(Path("buyer.iso")), std::string::npos);
  EXPECT_NE(log.find(Path("supplier.iso")), std::string::npos);

  host_.failed_records.clear();
  Run(Options(MatchRule::IdenticalRecord));
  EXPECT_TRUE(host_.failed_records.empty());
  EXPECT_EQ(ReadFile(Path("common.iso")), FileOf({bad}));

  std::filesystem::remove(Path("common.iso"));
  std::filesystem::remove(Path("lacks.iso"));
  host_.answers = {false};
  MarcCheckResult cancelled = Run(Options(MatchRule::ListedFields));
  EXPECT_TRUE(cancelled.cancelled);
  EXPECT_EQ(cancelled.failed, 1);
  EXPECT_FALSE(Exists("common.iso"));
  EXPECT_FALSE(Exists("lacks.iso"));
}

TEST_F(MarcCheckTest, UnreadableSupplierRecordGoesToLacksAndIsReported) {
  const std::string bad = Unreadable(Book("s1", "7-5006-3772-1"));
  WriteFiles({Book("b1", "7-5006-3772-1")}, {bad, Book("s2", "7-5006-3772-1")});
  MarcCheckResult result = Run(Options(MatchRule::SameIsbn));
  EXPECT_EQ(ReadFile(Path("lacks.iso")), FileOf({bad}));
  EXPECT_EQ(host_.failed_records, std::vector<int64_t>{1});
  EXPECT_EQ(result.failed, 1);
  EXPECT_EQ(result.common, 1);
  EXPECT_EQ(host_.position_, 2);
}

TEST_F(MarcCheckTest, UnreadableTableRowIsLoggedUnderTheDatabase) {
  WriteFiles({}, {Book("s1", "7-5006-3772-1")});
  std::unique_ptr<TMainData> data = TMainData::Open(Path("veldata.db"));
  data->AppendBuyerRow("t", "i", 1, Book("b1", "7-02-1"));
  data->AppendBuyerRow("t", "i", 1, Unreadable(Book("b2", "7-02-1")));
  data->AppendBuyerRow("t", "i", 1, Book("b3", "7-5006-3772-1"));
  MarcCheckOptions options = Options(MatchRule::SameIsbn);
  options.buyer_source = BuyerSource::kDatabase;
  MarcCheckResult result = Run(options, data.get());
  EXPECT_EQ(host_.failed_records, std::vector<int64_t>{2});
  EXPECT_EQ(result.failed, 1);
  EXPECT_NE(ReadFile(Path("ErrorLog.txt")).find(Path("veldata.db")),
            std::string::npos);
  EXPECT_EQ(ReadFile(Path("common.iso")),
            FileOf({Book("b3", "7-5006-3772-1")}));

  std::filesystem::remove(Path("common.iso"));
  std::filesystem::remove(Path("lacks.iso"));
  host_.answers = {false};
  EXPECT_TRUE(Run(options, data.get()).cancelled);
  EXPECT_FALSE(Exists("common.iso"));
  EXPECT_FALSE(Exists("lacks.iso"));
}

}  // namespace
}  // namespace veltrane
