// The two tables of the purchasing database: their columns, creation,
// checking and re-creation.
//
//   buyer  (recno INTEGER PRIMARY KEY AUTOINCREMENT, title, isbn, marcdata,
//           rsnumber INTEGER), index indexisbn ON buyer (isbn)
//   locale (recno INTEGER PRIMARY KEY AUTOINCREMENT, isbn, rsnumber INTEGER,
//           indate)
//
// The text columns are declared without a type, so SQLite converts nothing:
// they hold GBK bytes as BLOBs.
#ifndef VELTRANE_DB_SCHEMA_H_
#define VELTRANE_DB_SCHEMA_H_

#include <span>
#include <string_view>

namespace veltrane {

class Connection;

enum class ColumnKind {
  kRecno,    // the row number the database gives; read-only
  kInteger,  // a 64-bit integer
  kBytes,    // a byte string (GBK text or a record)
};

struct Column {
  std::string_view name;
  ColumnKind kind;
};

struct TableSchema {
  std::string_view name;
  std::span<const Column> columns;  // recno first, then in creation order
  std::string_view create_sql;
  std::string_view index_sql;  // empty when the table has no index
};

extern const TableSchema kBuyerTable;
extern const TableSchema kLocaleTable;

// Makes the file a purchasing database: an SQLite file without any table
// gets both tables and the index; a file that has both tables with all their
// columns is left as it is. Throws DatabaseError "不是Veltrane数据库文件：PATH
// （...）" for anything else, and DatabaseError when creating fails.
void PrepareSchema(Connection& connection);

// Drops `table` (when it is there) and creates it anew with its index, in one
// write, so its recno starts again from 1. Throws DatabaseError.
void RecreateTable(Connection& connection, const TableSchema& table);

}  // namespace veltrane

#endif  // VELTRANE_DB_SCHEMA_H_
