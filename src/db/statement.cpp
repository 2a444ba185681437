#include "db/statement.h"

#include <sqlite3.h>

#include "db/connection.h"

namespace veltrane {

Statement::Statement(Connection& connection, const std::string& sql)
    : connection_(connection) {
  int rc = sqlite3_prepare_v3(connection_.handle(), sql.c_str(),
                              static_cast<int>(sql.size()),
                              SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    throw connection_.LastError();
  }
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

void Statement::Check(int rc) {
  if (rc != SQLITE_OK) throw connection_.LastError();
}

void Statement::BindBytes(int index, std::string_view bytes) {
  // A zero-length BLOB still needs a non-null pointer, or SQLite binds NULL.
  Check(sqlite3_bind_blob64(stmt_, index, bytes.empty() ? "" : bytes.data(),
                            bytes.size(), SQLITE_TRANSIENT));
}

void Statement::BindInteger(int index, int64_t value) {
  Check(sqlite3_bind_int64(stmt_, index, value));
}

void Statement::BindNull(int index) { Check(sqlite3_bind_null(stmt_, index)); }

bool Statement::Step() {
  int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  DatabaseError error = connection_.LastError();
  sqlite3_reset(stmt_);
  throw error;
}

void Statement::Run() {
  while (Step()) {
  }
}

void Statement::Reset() noexcept {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

bool Statement::IsNull(int column) const {
  return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

bool Statement::IsInteger(int column) const {
  return sqlite3_column_type(stmt_, column) == SQLITE_INTEGER;
}

int64_t Statement::Integer(int column) const {
  return sqlite3_column_int64(stmt_, column);
}

std::string_view Statement::Bytes(int column) const {
  const void* data = sqlite3_column_blob(stmt_, column);
  int size = sqlite3_column_bytes(stmt_, column);
  if (data == nullptr || size <= 0) return {};
  return {static_cast<const char*>(data), static_cast<size_t>(size)};
}

}  // namespace veltrane
