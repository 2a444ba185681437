#include "db/schema.h"

#include <string>

#include "db/connection.h"
#include "db/statement.h"

namespace veltrane {
namespace {

constexpr Column kBuyerColumns[] = {
    {"recno", ColumnKind::kRecno},      {"title", ColumnKind::kBytes},
    {"isbn", ColumnKind::kBytes},       {"marcdata", ColumnKind::kBytes},
    {"rsnumber", ColumnKind::kInteger},
};

constexpr Column kLocaleColumns[] = {
    {"recno", ColumnKind::kRecno},
    {"isbn", ColumnKind::kBytes},
    {"rsnumber", ColumnKind::kInteger},
    {"indate", ColumnKind::kBytes},
};

// True when the file holds no table at all (a new or empty file).
bool HasNoTables(Connection& connection) {
  Statement count(connection,
                  "SELECT count(*) FROM sqlite_master WHERE type='table'");
  ResetOnExit reset(count);
  return count.Step() && count.Integer(0) == 0;
}

// True when `table` exists with (at least) all of its columns.
bool HasTable(Connection& connection, const TableSchema& table) {
  Statement info(connection, "SELECT name FROM pragma_table_info('" +
                                 std::string(table.name) + "')");
  ResetOnExit reset(info);
  size_t found = 0;
  while (info.Step()) {
    for (const Column& column : table.columns) {
      if (info.Bytes(0) == column.name) ++found;
    }
  }
  return found == table.columns.size();
}

void CreateTable(Connection& connection, const TableSchema& table) {
  connection.Execute(std::string(table.create_sql));
  if (!table.index_sql.empty()) {
    connection.Execute(std::string(table.index_sql));
  }
}

}  // namespace

const TableSchema kBuyerTable = {
    "buyer", kBuyerColumns,
    "CREATE TABLE buyer (recno INTEGER PRIMARY KEY AUTOINCREMENT, title, "
    "isbn, marcdata, rsnumber INTEGER)",
    "CREATE INDEX indexisbn ON buyer (isbn ASC)"};

const TableSchema kLocaleTable = {
    "locale", kLocaleColumns,
    "CREATE TABLE locale (recno INTEGER PRIMARY KEY AUTOINCREMENT, isbn, "
    "rsnumber INTEGER, indate)",
    ""};

void PrepareSchema(Connection& connection) {
  // A file that is someone else's database is refused before anything is
  // written to it.
  const bool empty = HasNoTables(connection);
  for (const TableSchema* table : {&kBuyerTable, &kLocaleTable}) {
    if (!empty && !HasTable(connection, *table)) {
      throw DatabaseError("不是Veltrane数据库文件：" + connection.path() +
                          "（没有数据表" + std::string(table->name) +
                          "或缺少其字段）");
    }
  }
  connection.UseWriteAheadLog();
  if (empty) {
    // Checked again under the write lock: another program may be creating
    // the same file right now.
    WriteTransaction write(connection);
    if (HasNoTables(connection)) {
      CreateTable(connection, kBuyerTable);
      CreateTable(connection, kLocaleTable);
    }
    write.Commit();
  }
}

void RecreateTable(Connection& connection, const TableSchema& table) {
  WriteTransaction write(connection);
  // Dropping an AUTOINCREMENT table also deletes its sqlite_sequence entry,
  // so the new table numbers its rows from 1 again.
  connection.Execute("DROP TABLE IF EXISTS " + std::string(table.name));
  CreateTable(connection, table);
  write.Commit();
}

}  // namespace veltrane
