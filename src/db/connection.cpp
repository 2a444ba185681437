#include "db/connection.h"

#include <sqlite3.h>

#include <stdexcept>

#include "db/statement.h"

namespace veltrane {
namespace {

// Long enough for another program's batch commit or checkpoint to finish.
constexpr int kBusyTimeoutMs = 10000;
// The most work a batch holds uncommitted.
constexpr auto kBatchInterval = std::chrono::milliseconds(250);

DatabaseError OpenError(const std::string& path, const std::string& reason) {
  return DatabaseError("无法打开数据库文件：" + path + "（" + reason + "）");
}

}  // namespace

void Connection::CloseDb::operator()(sqlite3* db) const {
  sqlite3_close_v2(db);
}

Connection::Connection(std::string path) : path_(std::move(path)) {
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(path_.c_str(), &db,
                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  db_.reset(db);
  if (rc != SQLITE_OK) {
    throw OpenError(path_, db != nullptr ? sqlite3_errmsg(db) : "内存不足");
  }
  sqlite3_extended_result_codes(db, 1);
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  if (sqlite3_db_readonly(db, "main") == 1) {
    throw OpenError(path_, "文件不可写");
  }
  // The first read tells an SQLite database from any other file; nothing has
  // been written to the file before this point.
  rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr,
                    nullptr);
  if ((rc & 0xFF) == SQLITE_NOTADB) {
    throw DatabaseError("不是Veltrane数据库文件：" + path_ +
                        "（不是SQLite数据库）");
  }
  if (rc != SQLITE_OK) throw OpenError(path_, sqlite3_errmsg(db));
  // Full sync: a committed write survives a power cut. The 64 MB page cache
  // keeps the isbn index of a million-row import in memory.
  rc = sqlite3_exec(db, "PRAGMA synchronous=FULL; PRAGMA cache_size=-65536",
                    nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) throw OpenError(path_, sqlite3_errmsg(db));

  begin_ = std::make_unique<Statement>(*this, "BEGIN IMMEDIATE");
  commit_ = std::make_unique<Statement>(*this, "COMMIT");
  rollback_ = std::make_unique<Statement>(*this, "ROLLBACK");
}

Connection::~Connection() {
  if (InTransaction()) RollbackQuietly();
}

void Connection::UseWriteAheadLog() { Execute("PRAGMA journal_mode=WAL"); }

void Connection::Execute(const std::string& sql) {
  if (sqlite3_exec(db_.get(), sql.c_str(), nullptr, nullptr, nullptr) !=
      SQLITE_OK) {
    throw LastError();
  }
}

DatabaseError Connection::LastError() const {
  return DatabaseError("数据库操作失败：" + path_ + "（" +
                       sqlite3_errmsg(db_.get()) + "）");
}

int64_t Connection::Changes() const { return sqlite3_changes64(db_.get()); }

int64_t Connection::LastInsertRecno() const {
  return sqlite3_last_insert_rowid(db_.get());
}

void Connection::BeginBatch(int64_t writes_per_commit) {
  if (batch_open()) throw std::logic_error("数据库批量写入已经开始");
  batch_size_ = writes_per_commit > 0 ? writes_per_commit : 1;
  batch_pending_ = 0;
  batch_committed_ = 0;
  batch_began_ = std::chrono::steady_clock::now();
}

void Connection::EndBatch() {
  const int64_t pending = batch_pending_;
  batch_size_ = 0;
  batch_pending_ = 0;
  if (InTransaction()) Commit();
  batch_committed_ += pending;
}

bool Connection::InTransaction() const {
  return sqlite3_get_autocommit(db_.get()) == 0;
}

void Connection::Begin() {
  ResetOnExit reset(*begin_);
  begin_->Run();
}

void Connection::Commit() {
  try {
    ResetOnExit reset(*commit_);
    commit_->Run();
  } catch (const DatabaseError&) {
    RollbackQuietly();
    throw;
  }
}

void Connection::RollbackQuietly() noexcept {
  if (!InTransaction()) return;
  try {
    ResetOnExit reset(*rollback_);
    rollback_->Run();
  } catch (const DatabaseError&) {
    // Nothing more can be done; SQLite rolls back on the next open.
  }
}

void Connection::CountBatchWrite() {
  ++batch_pending_;
  const auto now = std::chrono::steady_clock::now();
  if (batch_pending_ < batch_size_ && now - batch_began_ < kBatchInterval) {
    return;
  }
  const int64_t pending = batch_pending_;
  batch_pending_ = 0;
  batch_began_ = now;
  if (InTransaction()) Commit();
  batch_committed_ += pending;
}

WriteTransaction::WriteTransaction(Connection& connection)
    : connection_(connection) {
  if (!connection_.InTransaction()) {
    connection_.Begin();
    began_ = true;
  }
}

WriteTransaction::~WriteTransaction() {
  if (!done_ && began_ && !connection_.batch_open()) {
    connection_.RollbackQuietly();
  }
}

void WriteTransaction::Commit() {
  done_ = true;
  if (connection_.batch_open()) {
    connection_.CountBatchWrite();
  } else if (began_) {
    connection_.Commit();
  }
}

}  // namespace veltrane
