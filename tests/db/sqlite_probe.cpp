#include "db/sqlite_probe.h"

#include <sqlite3.h>

#include <memory>
#include <stdexcept>

namespace veltrane::testing {
namespace {

struct Closer {
  void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Db = std::unique_ptr<sqlite3, Closer>;

Db OpenDb(const std::string& path) {
  sqlite3* db = nullptr;
  int rc = sqlite3_open(path.c_str(), &db);
  Db owner(db);
  if (rc != SQLITE_OK) throw std::runtime_error("cannot open " + path);
  sqlite3_busy_timeout(db, 10000);
  return owner;
}

}  // namespace

void ExecSql(const std::string& path, const std::string& sql) {
  Db db = OpenDb(path);
  if (sqlite3_exec(db.get(), sql.c_str(), nullptr, nullptr, nullptr) !=
      SQLITE_OK) {
    throw std::runtime_error(sql + ": " + sqlite3_errmsg(db.get()));
  }
}

std::vector<std::string> QueryColumn(const std::string& path,
                                     const std::string& sql) {
  Db db = OpenDb(path);
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db.get(), sql.c_str(), -1, &stmt, nullptr) !=
      SQLITE_OK) {
    throw std::runtime_error(sql + ": " + sqlite3_errmsg(db.get()));
  }
  std::vector<std::string> values;
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    const void* data = sqlite3_column_blob(stmt, 0);
    int size = sqlite3_column_bytes(stmt, 0);
    values.emplace_back(data ? static_cast<const char*>(data) : "",
                        static_cast<size_t>(size));
  }
  sqlite3_finalize(stmt);
  return values;
}

}  // namespace veltrane::testing
