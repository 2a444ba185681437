// Statement: one prepared SQLite statement, finalized with the object.
//
// Texts are bound as BLOBs: their bytes (GBK) are stored exactly as given,
// SQLite never takes them for UTF-8, and `isbn = ?1` compares bytes. Bind
// parameters count from 1, result columns from 0. After a use the statement
// must be reset (ResetOnExit does it), which also ends its read of the file.
#ifndef VELTRANE_DB_STATEMENT_H_
#define VELTRANE_DB_STATEMENT_H_

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3_stmt;

namespace veltrane {

class Connection;

class Statement {
 public:
  // Prepares `sql` (one statement) for repeated use. Throws DatabaseError.
  Statement(Connection& connection, const std::string& sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  void BindBytes(int index, std::string_view bytes);
  void BindInteger(int index, int64_t value);
  void BindNull(int index);

  // Runs to the next result row: true when a row is ready, false when the
  // statement is done. Throws DatabaseError naming the file.
  bool Step();
  // Runs a statement whose result rows, if any, are not wanted.
  void Run();
  // Makes the statement ready for the next use and clears its bindings.
  void Reset() noexcept;

  // Result columns of the current row. Bytes() is valid until the next
  // Step() or Reset(); an INTEGER comes back as its decimal text.
  bool IsNull(int column) const;
  bool IsInteger(int column) const;
  int64_t Integer(int column) const;
  std::string_view Bytes(int column) const;

 private:
  void Check(int rc);

  Connection& connection_;
  sqlite3_stmt* stmt_ = nullptr;
};

// Resets a statement when the scope ends, however it ends.
class ResetOnExit {
 public:
  explicit ResetOnExit(Statement& statement) : statement_(statement) {}
  ~ResetOnExit() { statement_.Reset(); }
  ResetOnExit(const ResetOnExit&) = delete;
  ResetOnExit& operator=(const ResetOnExit&) = delete;

 private:
  Statement& statement_;
};

}  // namespace veltrane

#endif  // VELTRANE_DB_STATEMENT_H_
