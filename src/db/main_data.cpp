#include "db/main_data.h"

#include <algorithm>

#include "db/connection.h"
#include "db/gbk_prefix.h"
#include "db/schema.h"
#include "db/statement.h"
#include "util/local_time.h"
#include "util/text.h"

namespace veltrane {
namespace {

// The databases open in this process (the core has no threads).
std::vector<const TMainData*>& OpenDatabases() {
  static std::vector<const TMainData*> open;
  return open;
}

}  // namespace

std::vector<std::string> TMainData::OpenFiles() {
  std::vector<std::string> files;
  for (const TMainData* data : OpenDatabases()) files.push_back(data->path());
  return files;
}

std::optional<std::string> DatabaseNameProblem(const std::string& path) {
  if (Trim(path).empty()) return "请指定数据库文件。";
  if (path.starts_with(':') || path.starts_with("file:")) {
    return "不能用作数据库文件的名称：" + path;
  }
  return std::nullopt;
}

std::unique_ptr<TMainData> TMainData::Open(const std::string& path) {
  if (std::optional<std::string> problem = DatabaseNameProblem(path)) {
    throw DatabaseError(*problem);
  }
  auto connection = std::make_unique<Connection>(path);
  PrepareSchema(*connection);
  return std::unique_ptr<TMainData>(new TMainData(std::move(connection)));
}

TMainData::TMainData(std::unique_ptr<Connection> connection)
    : connection_(std::move(connection)) {
  Connection& c = *connection_;
  append_buyer_ = std::make_unique<Statement>(
      c,
      "INSERT INTO buyer (title, isbn, marcdata, rsnumber) "
      "VALUES (?1, ?2, ?3, ?4)");
  held_copies_ = std::make_unique<Statement>(
      c, "SELECT rsnumber FROM buyer WHERE isbn = ?1 ORDER BY recno LIMIT 1");
  buyer_title_ = std::make_unique<Statement>(
      c, "SELECT title FROM buyer WHERE isbn = ?1 ORDER BY recno LIMIT 1");
  purchased_copies_ = std::make_unique<Statement>(
      c, "SELECT rsnumber FROM locale WHERE isbn = ?1 ORDER BY recno LIMIT 1");
  update_purchase_ = std::make_unique<Statement>(
      c,
      "UPDATE locale SET rsnumber = rsnumber + ?1, indate = ?2 "
      "WHERE isbn = ?3");
  insert_purchase_ = std::make_unique<Statement>(
      c, "INSERT INTO locale (isbn, rsnumber, indate) VALUES (?1, ?2, ?3)");
  remove_purchase_ =
      std::make_unique<Statement>(c, "DELETE FROM locale WHERE isbn = ?1");
  buyer_table_ = std::make_unique<TableCursor>(c, kBuyerTable);
  locale_table_ = std::make_unique<TableCursor>(c, kLocaleTable);
  buyer_table_->Reopen();
  locale_table_->Reopen();
  OpenDatabases().push_back(this);
}

TMainData::~TMainData() { std::erase(OpenDatabases(), this); }

const std::string& TMainData::path() const { return connection_->path(); }

void TMainData::AppendBuyerRow(std::string_view title, std::string_view isbn,
                               int copies, std::string_view marc_data) {
  WriteTransaction write(*connection_);
  {
    ResetOnExit reset(*append_buyer_);
    append_buyer_->BindBytes(1, GbkPrefix(title, kTitleChars));
    append_buyer_->BindBytes(2, isbn);
    append_buyer_->BindBytes(3, marc_data);
    append_buyer_->BindInteger(4, copies);
    append_buyer_->Run();
  }
  write.Commit();
}

int TMainData::FirstCount(Statement& lookup, std::string_view isbn) {
  ResetOnExit reset(lookup);
  lookup.BindBytes(1, isbn);
  if (!lookup.Step()) return 0;
  const int64_t count = lookup.Integer(0);
  if (!FitsInt(count)) {
    throw DatabaseError("数据库中的数量超出范围：" + path() + "（" +
                        std::to_string(count) + "）");
  }
  return static_cast<int>(count);
}

int TMainData::HeldCopies(std::string_view isbn) {
  return FirstCount(*held_copies_, isbn);
}

int TMainData::PurchasedCopies(std::string_view isbn) {
  return FirstCount(*purchased_copies_, isbn);
}

std::string TMainData::BuyerTitle(std::string_view isbn) {
  ResetOnExit reset(*buyer_title_);
  buyer_title_->BindBytes(1, isbn);
  if (!buyer_title_->Step()) return {};
  return std::string(buyer_title_->Bytes(0));
}

int TMainData::AddPurchase(std::string_view isbn, int count) {
  const std::string now = LocalDateTimeText();
  WriteTransaction write(*connection_);
  if (!FitsInt(int64_t{FirstCount(*purchased_copies_, isbn)} + count)) {
    throw DatabaseError("采购数量超出范围：" + std::string(isbn));
  }
  {
    ResetOnExit reset(*update_purchase_);
    update_purchase_->BindInteger(1, count);
    update_purchase_->BindBytes(2, now);
    update_purchase_->BindBytes(3, isbn);
    update_purchase_->Run();
  }
  if (connection_->Changes() == 0) {
    ResetOnExit reset(*insert_purchase_);
    insert_purchase_->BindBytes(1, isbn);
    insert_purchase_->BindInteger(2, count);
    insert_purchase_->BindBytes(3, now);
    insert_purchase_->Run();
  }
  write.Commit();
  return count;
}

void TMainData::RemovePurchase(std::string_view isbn) {
  WriteTransaction write(*connection_);
  {
    ResetOnExit reset(*remove_purchase_);
    remove_purchase_->BindBytes(1, isbn);
    remove_purchase_->Run();
  }
  write.Commit();
}

void TMainData::ClearBuyerTable() {
  RecreateTable(*connection_, kBuyerTable);
  buyer_table_->Reopen();
}

void TMainData::ClearLocaleTable() {
  RecreateTable(*connection_, kLocaleTable);
  locale_table_->Reopen();
}

TMainData::Batch::Batch(TMainData& data, int64_t writes_per_commit)
    : connection_(*data.connection_) {
  connection_.BeginBatch(writes_per_commit);
}

TMainData::Batch::~Batch() {
  if (!open_) return;
  try {
    connection_.EndBatch();
  } catch (const DatabaseError&) {
    // Documented: the uncommitted rest is lost; the caller's own error, if
    // any, is already on its way.
  }
}

void TMainData::Batch::Commit() {
  if (!open_) return;
  open_ = false;
  connection_.EndBatch();
}

int64_t TMainData::Batch::committed() const {
  return connection_.batch_committed();
}

TMainData::Transaction::Transaction(TMainData& data)
    : write_(std::make_unique<WriteTransaction>(*data.connection_)) {}

TMainData::Transaction::~Transaction() = default;

void TMainData::Transaction::Commit() { write_->Commit(); }

}  // namespace veltrane
