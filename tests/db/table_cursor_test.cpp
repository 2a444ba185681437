#include "db/table_cursor.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "db/main_data.h"
#include "db/sqlite_probe.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::ExecSql;
using testing::QueryColumn;
using testing::TempDir;

class TableCursorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    data_ = TMainData::Open(path_);
    for (int i = 1; i <= 3; ++i) {
      data_->AppendBuyerRow("Title " + std::to_string(i),
                            "isbn-" + std::to_string(i), i * 10,
                            "record " + std::to_string(i));
    }
    buyer().Reopen();
  }
  TableCursor& buyer() { return data_->BuyerTable(); }

  // Every buyer row as "recno title isbn rsnumber", read by walking.
  std::vector<std::string> Walk() {
    std::vector<std::string> rows;
    for (buyer().First(); !buyer().Eof(); buyer().Next()) {
      rows.push_back(buyer().Text("recno") + " " + buyer().Text("title") + " " +
                     buyer().Text("isbn") + " " + buyer().Text("rsnumber"));
    }
    return rows;
  }

  TempDir dir_;
  std::string path_ = dir_.Path("veldata.db");
  std::unique_ptr<TMainData> data_;
};

TEST_F(TableCursorTest, WalksASnapshotInRecnoOrder) {
  EXPECT_EQ(buyer().RecordCount(), 3);
  EXPECT_EQ(Walk(), (std::vector<std::string>{"1 Title 1 isbn-1 10",
                                              "2 Title 2 isbn-2 20",
                                              "3 Title 3 isbn-3 30"}));
  EXPECT_TRUE(buyer().Eof());
  EXPECT_EQ(buyer().Position(), 3);
  buyer().Next();
  EXPECT_TRUE(buyer().Eof());

  buyer().MoveTo(1);
  EXPECT_EQ(buyer().Integer("rsnumber"), 20);
  EXPECT_EQ(buyer().Text("marcdata"), "record 2");

  // Rows added meanwhile show after Reopen; a row deleted behind the
  // cursor's back reads as empty.
  data_->AppendBuyerRow("Title 4", "isbn-4", 40, "record 4");
  ExecSql(path_, "DELETE FROM buyer WHERE recno = 3");
  EXPECT_EQ(buyer().RecordCount(), 3);
  buyer().MoveTo(2);
  EXPECT_TRUE(buyer().IsNull("isbn"));
  EXPECT_EQ(buyer().Integer("rsnumber"), 0);
  buyer().Reopen();
  EXPECT_EQ(Walk(), (std::vector<std::string>{"1 Title 1 isbn-1 10",
                                              "2 Title 2 isbn-2 20",
                                              "4 Title 4 isbn-4 40"}));
}

TEST_F(TableCursorTest, PostWritesOnlyTheFieldsThatWereSet) {
  buyer().MoveTo(1);
  buyer().Edit();
  buyer().SetInteger("rsnumber", -5);
  EXPECT_EQ(buyer().Integer("rsnumber"), -5);  // reads see the change
  // Another program changes the same row meanwhile.
  ExecSql(path_,
          "UPDATE buyer SET marcdata = CAST('changed' AS BLOB) "
          "WHERE recno = 2");
  buyer().Post();
  EXPECT_EQ(QueryColumn(path_,
                        "SELECT CAST(marcdata AS TEXT) || ' ' || rsnumber "
                        "FROM buyer WHERE recno = 2"),
            std::vector<std::string>{"changed -5"});
  EXPECT_EQ(data_->HeldCopies("isbn-2"), -5);
}

TEST_F(TableCursorTest, MovingPostsAndCancelDrops) {
  // The "set every row" loop of the maintenance page, without Post().
  for (buyer().First(); !buyer().Eof(); buyer().Next()) {
    buyer().Edit();
    buyer().SetInteger("rsnumber", buyer().Integer("rsnumber") + 1);
  }
  EXPECT_EQ(QueryColumn(path_, "SELECT rsnumber FROM buyer ORDER BY recno"),
            (std::vector<std::string>{"11", "21", "31"}));

  buyer().First();
  buyer().Edit();
  buyer().SetText("title", "Not kept");
  buyer().Cancel();
  EXPECT_EQ(buyer().Text("title"), "Title 1");
  buyer().Next();
  EXPECT_EQ(data_->BuyerTitle("isbn-1"), "Title 1");
}

TEST_F(TableCursorTest, AppendAddsTheRowAtTheEnd) {
  TableCursor& locale = data_->LocaleTable();
  data_->AddPurchase("A", 1);
  locale.Reopen();
  locale.Append();
  EXPECT_FALSE(locale.Eof());
  locale.SetText("isbn", "B");
  locale.SetInteger("rsnumber", 7);
  locale.Post();
  EXPECT_EQ(locale.RecordCount(), 2);
  EXPECT_EQ(locale.Position(), 1);
  EXPECT_EQ(locale.Integer("recno"), 2);
  EXPECT_EQ(locale.Text("isbn"), "B");
  EXPECT_EQ(data_->PurchasedCopies("B"), 7);

  // An empty appended row reads as empty text and 0.
  locale.Append();
  locale.Post();
  EXPECT_EQ(locale.Integer("recno"), 3);
  EXPECT_EQ(locale.Text("isbn"), "");
  EXPECT_EQ(locale.Integer("rsnumber"), 0);

  // Cancelling an append goes back to the row that was current.
  locale.MoveTo(1);
  locale.Append();
  locale.SetText("isbn", "C");
  locale.Cancel();
  EXPECT_EQ(locale.Position(), 1);
  EXPECT_EQ(locale.RecordCount(), 3);
  EXPECT_EQ(data_->PurchasedCopies("C"), 0);
}

TEST_F(TableCursorTest, DeleteMakesTheNextRowCurrent) {
  TableCursor& locale = data_->LocaleTable();
  for (int count : {0, 1, 0, 0, -1, 0}) {
    locale.Append();
    locale.SetText("isbn", "code");
    locale.SetInteger("rsnumber", count);
    locale.Post();
  }
  // The maintenance page's "delete rows of quantity zero".
  locale.First();
  while (!locale.Eof()) {
    if (locale.Integer("rsnumber") == 0) {
      locale.Delete();
    } else {
      locale.Next();
    }
  }
  EXPECT_EQ(QueryColumn(path_, "SELECT rsnumber FROM locale ORDER BY recno"),
            (std::vector<std::string>{"1", "-1"}));
  EXPECT_EQ(locale.RecordCount(), 2);
  locale.First();
  EXPECT_EQ(locale.Integer("recno"), 2);
  locale.Next();
  locale.Delete();
  EXPECT_TRUE(locale.Eof());
  EXPECT_THROW(locale.Delete(), std::logic_error);
}

TEST_F(TableCursorTest, MisuseThrows) {
  EXPECT_THROW(buyer().Text("author"), std::invalid_argument);
  EXPECT_THROW(buyer().SetInteger("rsnumber", 1), std::logic_error);
  buyer().Edit();
  EXPECT_THROW(buyer().SetText("rsnumber", "1"), std::invalid_argument);
  EXPECT_THROW(buyer().SetInteger("isbn", 1), std::invalid_argument);
  EXPECT_THROW(buyer().SetInteger("recno", 9), std::invalid_argument);
  EXPECT_THROW(buyer().SetNull("nothing"), std::invalid_argument);
  buyer().Cancel();
  EXPECT_THROW(buyer().MoveTo(4), std::out_of_range);
  EXPECT_THROW(buyer().MoveTo(-1), std::out_of_range);
  buyer().MoveTo(3);
  EXPECT_THROW(buyer().Text("isbn"), std::logic_error);
  EXPECT_THROW(buyer().Edit(), std::logic_error);

  // Posting to a row that another program deleted fails and keeps the edit.
  buyer().First();
  buyer().Edit();
  buyer().SetInteger("rsnumber", 99);
  ExecSql(path_, "DELETE FROM buyer WHERE recno = 1");
  try {
    buyer().Post();
    ADD_FAILURE() << "posted";
  } catch (const DatabaseError& e) {
    EXPECT_NE(std::string(e.what()).find(path_), std::string::npos);
  }
  EXPECT_TRUE(buyer().editing());
  buyer().Cancel();
  buyer().Next();
  EXPECT_EQ(buyer().Text("isbn"), "isbn-2");
}

TEST_F(TableCursorTest, BatchGroupsCursorWrites) {
  {
    TMainData::Batch batch(*data_, 2);
    for (buyer().First(); !buyer().Eof(); buyer().Next()) {
      buyer().Edit();
      buyer().SetInteger("rsnumber", 0);
      buyer().Post();
    }
    EXPECT_EQ(QueryColumn(path_, "SELECT rsnumber FROM buyer ORDER BY recno"),
              (std::vector<std::string>{"0", "0", "30"}));
  }
  EXPECT_EQ(QueryColumn(path_, "SELECT rsnumber FROM buyer ORDER BY recno"),
            (std::vector<std::string>{"0", "0", "0"}));
}

}  // namespace
}  // namespace veltrane
