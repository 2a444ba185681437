// TableCursor: walks and edits one table of the purchasing database, for the
// pages that count, list, export or edit a whole table.
//
// Reopen() takes a snapshot of the table's row numbers (recno, ascending).
// The rows themselves are read one at a time, when a field of the current
// row is first asked for, so a cursor over a million MARC records holds only
// their numbers. Changes made through the cursor are written at once (Post,
// Delete), each as a committed transaction or as part of the open batch;
// changes made any other way show after the next Reopen(). Columns are
// addressed by name; an unknown name throws std::invalid_argument.
#ifndef VELTRANE_DB_TABLE_CURSOR_H_
#define VELTRANE_DB_TABLE_CURSOR_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

#include "db/schema.h"

namespace veltrane {

class Connection;
class Statement;

class TableCursor {
 public:
  // An empty cursor on `table`; Reopen() fills it. Throws DatabaseError.
  // REQUIRES: `connection` outlives the cursor.
  TableCursor(Connection& connection, const TableSchema& table);
  ~TableCursor();
  TableCursor(const TableCursor&) = delete;
  TableCursor& operator=(const TableCursor&) = delete;

  // Takes a new snapshot and makes its first row current. Changes not yet
  // posted are dropped. Throws DatabaseError.
  void Reopen();

  int64_t RecordCount() const { return static_cast<int64_t>(recnos_.size()); }
  // The current row's index in the snapshot, from 0; RecordCount() when past
  // the last row or while appending.
  int64_t Position() const { return index_; }
  // True when there is no current row: past the last one, or none at all.
  bool Eof() const { return mode_ != Mode::kAppend && index_ >= RecordCount(); }

  // Moving posts the changes not yet posted first, as leaving a row in a
  // grid does (and throws as Post() does).
  void First() { MoveTo(0); }
  void Next();
  // Makes the row at `index` current; RecordCount() means past the last row.
  // Throws std::out_of_range for any other index outside the snapshot.
  void MoveTo(int64_t index);

  // Fields of the current row, with the changes not yet posted. Text() gives
  // the bytes (an integer as decimal text), Integer() the number (a text read
  // as a whole decimal integer, else 0); NULL reads as "" and 0. A row that
  // was deleted behind the cursor's back reads as all NULL. Throws
  // std::logic_error when there is no current row, DatabaseError when the
  // row cannot be read.
  std::string Text(std::string_view column) const;
  int64_t Integer(std::string_view column) const;
  bool IsNull(std::string_view column) const;

  // The kind of `column`. Throws std::invalid_argument for an unknown name.
  ColumnKind Kind(std::string_view column) const {
    return table_.columns[ColumnIndex(column)].kind;
  }

  // The smallest and largest value of an integer column over the whole table
  // (as Integer() reads each), {0, 0} for an empty table. Throws
  // DatabaseError, std::invalid_argument for an unknown column.
  std::pair<int64_t, int64_t> IntegerRange(std::string_view column) const;

  // Starts changing the current row. Throws std::logic_error without one.
  void Edit();
  // Starts a new row, all fields NULL; Post() adds it at the end.
  void Append();
  // Set a field of the row being edited or appended: texts into text
  // columns, integers into integer columns; recno is the database's. Throws
  // std::invalid_argument for a column of another kind and std::logic_error
  // when neither Edit() nor Append() was called.
  void SetText(std::string_view column, std::string_view bytes);
  void SetInteger(std::string_view column, int64_t value);
  void SetNull(std::string_view column);
  // Writes the changes: an edited row is updated by its recno (only the
  // fields that were set); an appended row is inserted, added at the end of
  // the snapshot and made current. Does nothing when not editing. Throws
  // DatabaseError (also when the edited row no longer exists); the changes
  // then stay pending.
  void Post();
  // Drops the changes not yet posted; after Append() the row that was
  // current before becomes current again.
  void Cancel();
  // Deletes the current row from the table and the snapshot; the row after
  // it becomes current. Deleting the row being appended cancels it. Throws
  // std::logic_error without a current row, DatabaseError when it fails.
  void Delete();

  bool editing() const { return mode_ != Mode::kBrowse; }

 private:
  enum class Mode { kBrowse, kEdit, kAppend };
  using Value = std::variant<std::monostate, int64_t, std::string>;

  size_t ColumnIndex(std::string_view column) const;
  const Value& Field(std::string_view column) const;
  void Load() const;
  void RequireRow() const;
  void Set(std::string_view column, ColumnKind kind, Value value);
  Statement& UpdateStatement(uint32_t columns);
  Statement& InsertStatement(uint32_t columns);
  void BindChanged(Statement& statement) const;

  Connection& connection_;
  const TableSchema& table_;
  std::unique_ptr<Statement> snapshot_;
  std::unique_ptr<Statement> fetch_;
  std::unique_ptr<Statement> delete_;
  std::unordered_map<uint32_t, std::unique_ptr<Statement>> updates_;
  std::unordered_map<uint32_t, std::unique_ptr<Statement>> inserts_;

  std::vector<int64_t> recnos_;
  int64_t index_ = 0;
  int64_t index_before_append_ = 0;
  Mode mode_ = Mode::kBrowse;
  uint32_t changed_ = 0;  // bit i: column i was set
  mutable std::vector<Value> row_;
  mutable bool loaded_ = false;
};

}  // namespace veltrane

#endif  // VELTRANE_DB_TABLE_CURSOR_H_
