// Connection: one open SQLite connection to a purchasing database file, and
// the transaction discipline of every write made through it.
//
// The connection uses the write-ahead log with full sync, so a committed
// write survives a power cut, and a busy timeout, so that two programs with
// the file open wait for each other's writes instead of failing. Writes run
// inside a WriteTransaction: on its own each one is a committed transaction;
// while a batch is open, writes join the batch's transaction, which commits
// every N writes and when the batch ends.
#ifndef VELTRANE_DB_CONNECTION_H_
#define VELTRANE_DB_CONNECTION_H_

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "db/database_error.h"

struct sqlite3;

namespace veltrane {

class Statement;

class Connection {
 public:
  // Opens the file at `path`, creating it (empty) when it is missing, with
  // full sync on commit. Throws DatabaseError
  // "无法打开数据库文件：PATH（reason）" when the file cannot be created,
  // opened or written, and "不是Veltrane数据库文件：PATH（...）" when it is not
  // an SQLite database (the file is then left untouched).
  explicit Connection(std::string path);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Switches the file to the write-ahead log (kept in the file).
  // Throws DatabaseError.
  void UseWriteAheadLog();

  sqlite3* handle() const { return db_.get(); }
  const std::string& path() const { return path_; }

  // Runs statement texts once, without caching (schema work). Throws
  // DatabaseError.
  void Execute(const std::string& sql);

  // The error for SQLite's last failure on this connection:
  // "数据库操作失败：PATH（SQLite's text）".
  DatabaseError LastError() const;

  // Rows changed by the last INSERT, UPDATE or DELETE; the last new recno.
  int64_t Changes() const;
  int64_t LastInsertRecno() const;

  // Opens a batch: from now on writes share a transaction that is committed
  // after every `writes_per_commit` writes, and at the first write a quarter
  // of a second after the transaction began, so that a kill or a crash loses
  // little work. Throws std::logic_error when a batch is already open.
  void BeginBatch(int64_t writes_per_commit);
  // Commits the batch's pending writes and closes the batch. Throws
  // DatabaseError when the commit fails (the batch is closed all the same;
  // its pending writes are lost).
  void EndBatch();
  bool batch_open() const { return batch_size_ > 0; }
  // The batch writes committed since BeginBatch (kept after EndBatch).
  int64_t batch_committed() const { return batch_committed_; }

 private:
  friend class WriteTransaction;
  struct CloseDb {
    void operator()(sqlite3* db) const;
  };

  bool InTransaction() const;
  void Begin();
  void Commit();
  void RollbackQuietly() noexcept;
  // Counts one batch write and commits when the batch is full.
  void CountBatchWrite();

  std::string path_;
  std::unique_ptr<sqlite3, CloseDb>
      db_;  // before the statements: closed after them
  std::unique_ptr<Statement> begin_;
  std::unique_ptr<Statement> commit_;
  std::unique_ptr<Statement> rollback_;
  int64_t batch_size_ = 0;  // 0: no batch open
  int64_t batch_pending_ = 0;
  int64_t batch_committed_ = 0;
  std::chrono::steady_clock::time_point batch_began_{};
};

// Makes the writes of its scope one committed transaction (BEGIN IMMEDIATE,
// so the wait for another program's write lock happens up front), or one
// write of the open batch.
//
//   WriteTransaction write(connection);
//   ... run statements ...
//   write.Commit();
//
// Leaving the scope without Commit() rolls the own transaction back; inside a
// batch a failed statement undoes only itself and the batch goes on.
class WriteTransaction {
 public:
  // Throws DatabaseError when the transaction cannot begin.
  explicit WriteTransaction(Connection& connection);
  ~WriteTransaction();
  WriteTransaction(const WriteTransaction&) = delete;
  WriteTransaction& operator=(const WriteTransaction&) = delete;

  // Throws DatabaseError when the commit fails (nothing was then written).
  void Commit();

 private:
  Connection& connection_;
  bool began_ = false;
  bool done_ = false;
};

}  // namespace veltrane

#endif  // VELTRANE_DB_CONNECTION_H_
