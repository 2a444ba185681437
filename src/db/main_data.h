// TMainData: the purchasing database, one SQLite file ("veldata.db" in the
// working directory) with the buyer's holdings (table buyer) and the
// purchases made on site (table locale); see db/schema.h for the tables.
//
// Every text goes in and comes out as the same bytes (GBK, stored as BLOBs),
// and codes are compared byte for byte: "7-5006-3772-1" never finds
// "7500637721". Each write outside a batch is a committed transaction that
// survives a power cut once the call returns. Other programs may have the
// file open at the same time; a write waits for theirs. Nothing here shows a
// message: failures are exceptions or the lookup results documented below.
#ifndef VELTRANE_DB_MAIN_DATA_H_
#define VELTRANE_DB_MAIN_DATA_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/database_error.h"
#include "db/table_cursor.h"

namespace veltrane {

class Connection;
class Statement;
class WriteTransaction;

// Why `path` cannot name a database file: empty or blank, or a name the
// database engine takes as something other than a file (":memory:", any
// name beginning with ':' or "file:"), which would keep nothing. nullopt for
// a usable name.
std::optional<std::string> DatabaseNameProblem(const std::string& path);

class TMainData {
 public:
  // Writes per transaction in a Batch.
  static constexpr int64_t kBatchWrites = 20000;
  // Characters kept of a title.
  static constexpr size_t kTitleChars = 50;

  // Opens the database at `path`, first creating the file with both tables
  // and the index when it is missing (or empty), and takes both cursors'
  // snapshots. Throws DatabaseError "无法打开数据库文件：PATH（...）" when the
  // file cannot be created, opened or written, and "不是Veltrane数据库文件：
  // PATH（...）" when it is another kind of file or database (left untouched),
  // and the DatabaseNameProblem text for a name that is no file.
  static std::unique_ptr<TMainData> Open(
      const std::string& path = "veldata.db");
  ~TMainData();
  TMainData(const TMainData&) = delete;
  TMainData& operator=(const TMainData&) = delete;

  const std::string& path() const;

  // The files of every database this process has open now, as they were
  // named to Open(); outputs must never be written over them.
  static std::vector<std::string> OpenFiles();

  // Adds a buyer row. A title longer than kTitleChars characters keeps its
  // first kTitleChars (a GBK double-byte character is never split). Throws
  // DatabaseError.
  void AppendBuyerRow(std::string_view title, std::string_view isbn, int copies,
                      std::string_view marc_data);

  // Lookups by exact code; with several rows the lowest recno counts.
  // Copies held (buyer) and bought (locale): 0 without a row. The title:
  // empty without a row. Throws DatabaseError when the query fails or a
  // stored count is outside the 32-bit range: a failed lookup is never a
  // count that a purchase could be decided on.
  int HeldCopies(std::string_view isbn);
  int PurchasedCopies(std::string_view isbn);
  std::string BuyerTitle(std::string_view isbn);

  // Adds `count` (may be negative) to the purchase of `isbn` and sets its
  // indate to now ("yyyy-mm-dd hh:mm:ss", local time); a code without a row
  // gets a new one with `count`. Returns `count`. Throws DatabaseError, also
  // "采购数量超出范围" (nothing written) when the sum would leave the 32-bit
  // range.
  int AddPurchase(std::string_view isbn, int count);
  // Deletes every purchase row of `isbn` (none: nothing happens). Throws
  // DatabaseError.
  void RemovePurchase(std::string_view isbn);

  // Drop the table and create it again (buyer with its index), so recno
  // starts from 1; the table's cursor is reopened (empty). Throws
  // DatabaseError.
  void ClearBuyerTable();
  void ClearLocaleTable();

  // The cursors on buyer and locale, opened by Open(); reopen them to see
  // changes made through the operations above.
  TableCursor& BuyerTable() { return *buyer_table_; }
  TableCursor& LocaleTable() { return *locale_table_; }

  // Groups the writes made while it lives (appends, purchases, cursor posts
  // and deletes) into transactions of `writes_per_commit` writes, or of a
  // quarter of a second's writes, for bulk imports. Each transaction is
  // committed at once, so what was written before an interruption stays. Destroying the batch commits the rest
  // (without a word when that fails: the rest is then lost); Commit() does
  // the same and reports the failure.
  class Batch {
   public:
    // Throws std::logic_error when a batch is already open on `data`.
    // REQUIRES: `data` outlives the batch.
    explicit Batch(TMainData& data, int64_t writes_per_commit = kBatchWrites);
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

    // Commits the pending writes and ends the batch. Throws DatabaseError.
    void Commit();

    // The writes of this batch that are committed (stay whatever happens).
    int64_t committed() const;

   private:
    Connection& connection_;
    bool open_ = true;
  };

  // Makes the lookups and writes made while it lives one immediate
  // transaction: another program's write waits until Commit() or the end of
  // the scope (which rolls back), so a decision read from the tables and the
  // write that follows from it cannot interleave with another station's.
  // Inside a Batch it joins the batch. Throws DatabaseError.
  class Transaction {
   public:
    explicit Transaction(TMainData& data);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();

   private:
    std::unique_ptr<WriteTransaction> write_;
  };

 private:
  explicit TMainData(std::unique_ptr<Connection> connection);
  int FirstCount(Statement& lookup, std::string_view isbn);

  std::unique_ptr<Connection> connection_;  // first: closed last
  std::unique_ptr<Statement> append_buyer_;
  std::unique_ptr<Statement> held_copies_;
  std::unique_ptr<Statement> buyer_title_;
  std::unique_ptr<Statement> purchased_copies_;
  std::unique_ptr<Statement> update_purchase_;
  std::unique_ptr<Statement> insert_purchase_;
  std::unique_ptr<Statement> remove_purchase_;
  std::unique_ptr<TableCursor> buyer_table_;
  std::unique_ptr<TableCursor> locale_table_;
};

}  // namespace veltrane

#endif  // VELTRANE_DB_MAIN_DATA_H_
