#include "db/main_data.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <exception>
#include <filesystem>
#include <regex>
#include <thread>

#include "db/sqlite_probe.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::ExecSql;
using testing::IsoRecord;
using testing::QueryColumn;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

const std::string kIsbn = "7-5006-3772-1";

class MainDataTest : public ::testing::Test {
 protected:
  void SetUp() override { data_ = TMainData::Open(path_); }

  // The locale rows as "isbn:rsnumber", in recno order.
  std::vector<std::string> Purchases() {
    return QueryColumn(path_,
                       "SELECT CAST(isbn AS TEXT) || ':' || rsnumber "
                       "FROM locale ORDER BY recno");
  }

  TempDir dir_;
  std::string path_ = dir_.Path("veldata.db");
  std::unique_ptr<TMainData> data_;
};

TEST_F(MainDataTest, FirstStartCreatesSchemaLaterStartsKeepData) {
  EXPECT_EQ(
      QueryColumn(path_,
                  "SELECT type || ' ' || name || ' ' || tbl_name FROM "
                  "sqlite_master WHERE name NOT LIKE 'sqlite_%' "
                  "ORDER BY name"),
      (std::vector<std::string>{"table buyer buyer", "index indexisbn buyer",
                                "table locale locale"}));
  EXPECT_EQ(QueryColumn(path_, "PRAGMA journal_mode"),
            std::vector<std::string>{"wal"});

  data_->AppendBuyerRow("Title", kIsbn, 3, "record");
  data_->AddPurchase(kIsbn, 2);
  data_.reset();
  data_ = TMainData::Open(path_);
  EXPECT_EQ(data_->HeldCopies(kIsbn), 3);
  EXPECT_EQ(data_->PurchasedCopies(kIsbn), 2);
  EXPECT_EQ(data_->BuyerTable().RecordCount(), 1);
  EXPECT_EQ(data_->LocaleTable().RecordCount(), 1);
}

TEST(MainDataOpenTest, DefaultFileIsVeldataInWorkingDirectory) {
  TempDir dir;
  auto old_dir = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path(""));
  std::unique_ptr<TMainData> data;
  EXPECT_NO_THROW(data = TMainData::Open());
  std::filesystem::current_path(old_dir);
  EXPECT_TRUE(std::filesystem::exists(dir.Path("veldata.db")));
}

TEST(MainDataOpenTest, EmptyFileIsInitialised) {
  TempDir dir;
  WriteFile(dir.Path("empty.db"), "");
  auto data = TMainData::Open(dir.Path("empty.db"));
  data->AddPurchase(kIsbn, 1);
  EXPECT_EQ(data->PurchasedCopies(kIsbn), 1);
}

TEST(MainDataOpenTest, RefusesFilesThatAreNotItsDatabase) {
  TempDir dir;
  struct Case {
    const char* name;
    std::string bytes;  // written as is, when not empty
    const char* sql;    // run on the file, when not null
    const char* message;
  } cases[] = {
      {"text.db", "7-5006-3772-1\r\n7-111-1\r\n", nullptr,
       "不是Veltrane数据库文件："},
      {"record.iso", IsoRecord({{"001", "1"}}) + std::string(5000, '\x1D'),
       nullptr, "不是Veltrane数据库文件："},
      {"foreign.db", "", "CREATE TABLE books (id, name)",
       "不是Veltrane数据库文件："},
      {"half.db", "",
       "CREATE TABLE buyer (recno INTEGER PRIMARY KEY, title, isbn, "
       "marcdata, rsnumber)",
       "不是Veltrane数据库文件："},
      {"columns.db", "",
       "CREATE TABLE buyer (recno, title, isbn, marcdata, rsnumber);"
       "CREATE TABLE locale (recno, isbn, rsnumber)",
       "不是Veltrane数据库文件："},
      {"no/such/folder/veldata.db", "", nullptr, "无法打开数据库文件："},
      {"", "", nullptr, "无法打开数据库文件："},  // the folder itself
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = dir.Path(c.name);
    if (!c.bytes.empty()) WriteFile(path, c.bytes);
    if (c.sql != nullptr) ExecSql(path, c.sql);
    std::string before =
        std::filesystem::is_regular_file(path) ? ReadFile(path) : "";
    try {
      TMainData::Open(path);
      ADD_FAILURE() << "opened";
    } catch (const FatalError& e) {
      EXPECT_NE(dynamic_cast<const DatabaseError*>(&e), nullptr);
      std::string what = e.what();
      EXPECT_NE(what.find(c.message), std::string::npos) << what;
      EXPECT_NE(what.find(path), std::string::npos) << what;
    }
    if (!before.empty()) {
      EXPECT_TRUE(ReadFile(path) == before) << "the file was changed";
    }
  }
}

TEST_F(MainDataTest, AddPurchaseKeepsOneRowWithSumAndLatestTime) {
  EXPECT_EQ(data_->AddPurchase(kIsbn, 2), 2);
  TableCursor& locale = data_->LocaleTable();
  locale.Reopen();
  locale.Edit();
  locale.SetText("indate", "2000-01-01 00:00:00");
  locale.Post();

  EXPECT_EQ(data_->AddPurchase(kIsbn, 2), 2);
  EXPECT_EQ(Purchases(), std::vector<std::string>{kIsbn + ":4"});
  locale.Reopen();
  std::string indate = locale.Text("indate");
  EXPECT_NE(indate, "2000-01-01 00:00:00");
  EXPECT_TRUE(std::regex_match(
      indate, std::regex(R"(20\d\d-[01]\d-[0-3]\d [0-2]\d:[0-5]\d:[0-5]\d)")))
      << indate;
}

TEST_F(MainDataTest, NegativeCountsInsertAndSubtract) {
  EXPECT_EQ(data_->AddPurchase("A", -3), -3);
  data_->AddPurchase("B", 1);
  data_->AddPurchase("B", -1);
  data_->AddPurchase("A", 1);
  EXPECT_EQ(Purchases(), (std::vector<std::string>{"A:-2", "B:0"}));
  EXPECT_EQ(data_->PurchasedCopies("A"), -2);
}

TEST_F(MainDataTest, RemovePurchaseDeletesEveryRowOfTheCodeOnly) {
  data_->AddPurchase("A", 1);
  data_->AddPurchase("B", 2);
  TableCursor& locale = data_->LocaleTable();
  locale.Append();  // a second row of "A", as the maintenance grid can make
  locale.SetText("isbn", "A");
  locale.SetInteger("rsnumber", 5);
  locale.Post();

  data_->RemovePurchase("C");
  data_->RemovePurchase("a");
  EXPECT_EQ(Purchases(), (std::vector<std::string>{"A:1", "B:2", "A:5"}));
  data_->RemovePurchase("A");
  EXPECT_EQ(Purchases(), std::vector<std::string>{"B:2"});
  EXPECT_EQ(data_->PurchasedCopies("A"), 0);
}

TEST_F(MainDataTest, LookupsCompareCodesByteForByte) {
  data_->AppendBuyerRow("Held", kIsbn, 3, "r1");
  data_->AppendBuyerRow("No code", std::string_view(), 7, "r2");
  data_->AddPurchase(kIsbn, 2);
  struct Case {
    std::string asked;
    int held, bought;
    std::string title;
  } cases[] = {
      {kIsbn, 3, 2, "Held"},   {"7500637721", 0, 0, ""},
      {kIsbn + " ", 0, 0, ""}, {"7-5006-3772-", 0, 0, ""},
      {"", 7, 0, "No code"},  // an empty code is a value, not NULL
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.asked);
    EXPECT_EQ(data_->HeldCopies(c.asked), c.held);
    EXPECT_EQ(data_->PurchasedCopies(c.asked), c.bought);
    EXPECT_EQ(data_->BuyerTitle(c.asked), c.title);
  }
}

TEST_F(MainDataTest, FirstBuyerRowWinsForADuplicatedCode) {
  data_->AppendBuyerRow("First", "X", 1, "r1");
  data_->AppendBuyerRow("Second", "X", 5, "r2");
  EXPECT_EQ(data_->HeldCopies("X"), 1);
  EXPECT_EQ(data_->BuyerTitle("X"), "First");
  ExecSql(path_, "DELETE FROM buyer WHERE recno = 1");
  EXPECT_EQ(data_->HeldCopies("X"), 5);
  EXPECT_EQ(data_->BuyerTitle("X"), "Second");
}

TEST_F(MainDataTest, GbkBytesSurviveUnchanged) {
  const std::string title = "\xD6\xD0\xB9\xFA\xCA\xB7 \xA1\xF6 \xFF\x80";
  const std::string isbn = "ISBN\xA3\xBA" + kIsbn;
  const std::string record =
      IsoRecord({{"001", "1"}, {"200", "1 $a\xD6\xD0\xB9\xFA$f\xCA\xB7"}});
  ASSERT_NE(record.find('\x1D'), std::string::npos);
  data_->AppendBuyerRow(title, isbn, 1, record);
  data_.reset();
  data_ = TMainData::Open(path_);

  EXPECT_EQ(data_->BuyerTitle(isbn), title);
  EXPECT_EQ(data_->HeldCopies(isbn), 1);
  TableCursor& buyer = data_->BuyerTable();
  EXPECT_EQ(buyer.Text("isbn"), isbn);
  EXPECT_EQ(buyer.Text("marcdata"), record);
  EXPECT_EQ(QueryColumn(path_, "SELECT typeof(title) FROM buyer"),
            std::vector<std::string>{"blob"});
}

TEST_F(MainDataTest, LongTitlesKeepFiftyCharacters) {
  const std::string zhong = "\xD6\xD0";
  std::string fifty_zhong;
  for (int i = 0; i < 50; ++i) fifty_zhong += zhong;
  struct Case {
    std::string title, stored;
  } cases[] = {
      {std::string(50, 'a'), std::string(50, 'a')},
      {std::string(51, 'a'), std::string(50, 'a')},
      {fifty_zhong + "b", fifty_zhong},
      {std::string(49, 'a') + zhong + "b", std::string(49, 'a') + zhong},
      {"a" + fifty_zhong, "a" + fifty_zhong.substr(0, 98)},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(n);
    std::string isbn = std::to_string(++n);
    data_->AppendBuyerRow(c.title, isbn, 1, "r");
    EXPECT_EQ(data_->BuyerTitle(isbn), c.stored);
  }
}

TEST_F(MainDataTest, ClearingRestartsRecnoAndKeepsTheOtherTable) {
  data_->AppendBuyerRow("T", "A", 1, "r");
  data_->AppendBuyerRow("T", "B", 1, "r");
  data_->AddPurchase("A", 1);
  data_->AddPurchase("B", 1);

  data_->ClearLocaleTable();
  EXPECT_EQ(data_->LocaleTable().RecordCount(), 0);
  data_->AddPurchase("C", 1);
  EXPECT_EQ(QueryColumn(path_, "SELECT recno FROM locale"),
            std::vector<std::string>{"1"});
  EXPECT_EQ(data_->HeldCopies("B"), 1);

  data_->ClearBuyerTable();
  EXPECT_EQ(data_->BuyerTable().RecordCount(), 0);
  EXPECT_EQ(data_->HeldCopies("A"), 0);
  data_->AppendBuyerRow("T", "D", 4, "r");
  EXPECT_EQ(QueryColumn(path_, "SELECT recno FROM buyer"),
            std::vector<std::string>{"1"});
  EXPECT_EQ(QueryColumn(path_,
                        "SELECT name FROM sqlite_master WHERE type = 'index' "
                        "AND tbl_name = 'buyer' AND name = 'indexisbn'"),
            std::vector<std::string>{"indexisbn"});
  EXPECT_EQ(data_->PurchasedCopies("C"), 1);
}

TEST_F(MainDataTest, BrokenTableGivesErrorsNamingTheFile) {
  ExecSql(path_, "DROP TABLE locale");
  EXPECT_THROW(data_->PurchasedCopies(kIsbn), DatabaseError);
  try {
    data_->AddPurchase(kIsbn, 1);
    ADD_FAILURE() << "no error";
  } catch (const DatabaseError& e) {
    std::string what = e.what();
    EXPECT_NE(what.find(path_), std::string::npos) << what;
    EXPECT_NE(what.find("no such table"), std::string::npos) << what;
  }
  // Clearing a missing table simply creates it.
  data_->ClearLocaleTable();
  data_->AddPurchase(kIsbn, 1);
  EXPECT_EQ(data_->PurchasedCopies(kIsbn), 1);

  ExecSql(path_, "DROP TABLE buyer");
  EXPECT_THROW(data_->HeldCopies(kIsbn), DatabaseError);
  EXPECT_THROW(data_->BuyerTitle(kIsbn), DatabaseError);
}

TEST_F(MainDataTest, BatchCommitsEveryNWritesAndAtItsEnd) {
  auto other = TMainData::Open(path_);
  auto buyer_rows = [&] {
    other->BuyerTable().Reopen();
    return other->BuyerTable().RecordCount();
  };
  {
    TMainData::Batch batch(*data_, 3);
    EXPECT_THROW({ TMainData::Batch second(*data_, 3); }, std::logic_error);
    for (int i = 0; i < 5; ++i) data_->AppendBuyerRow("T", "X", 1, "r");
    EXPECT_EQ(buyer_rows(), 3);
    batch.Commit();
    EXPECT_EQ(buyer_rows(), 5);
  }
  try {  // an interrupted import keeps what it wrote
    TMainData::Batch batch(*data_, 100);
    data_->AppendBuyerRow("T", "Y", 1, "r");
    data_->AppendBuyerRow("T", "Y", 1, "r");
    EXPECT_EQ(buyer_rows(), 5);
    throw std::runtime_error("stop");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(buyer_rows(), 7);
  // Each write outside a batch is committed on its own.
  data_->AddPurchase("Z", 1);
  EXPECT_EQ(other->PurchasedCopies("Z"), 1);
}

TEST_F(MainDataTest, TwoProgramsShareTheFile) {
  auto other = TMainData::Open(path_);
  data_->AddPurchase(kIsbn, 1);
  EXPECT_EQ(other->PurchasedCopies(kIsbn), 1);
  other->AddPurchase(kIsbn, 2);
  EXPECT_EQ(data_->PurchasedCopies(kIsbn), 3);

  // While one holds the write lock the other's write waits for it.
  std::exception_ptr failure;
  {
    TMainData::Batch batch(*data_);
    data_->AppendBuyerRow("T", "B", 1, "r");
    std::thread writer([&] {
      try {
        other->AddPurchase("W", 5);
      } catch (...) {
        failure = std::current_exception();
      }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    // Not committed yet (asked through a third connection: `other` is busy).
    EXPECT_TRUE(QueryColumn(path_, "SELECT recno FROM buyer").empty());
    batch.Commit();
    writer.join();
  }
  EXPECT_FALSE(failure);
  EXPECT_EQ(data_->PurchasedCopies("W"), 5);
  EXPECT_EQ(other->HeldCopies("B"), 1);
}

}  // namespace
}  // namespace veltrane
