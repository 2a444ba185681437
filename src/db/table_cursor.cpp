#include "db/table_cursor.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

#include "db/connection.h"
#include "db/statement.h"
#include "util/text.h"

namespace veltrane {
namespace {

std::string ColumnList(const TableSchema& table) {
  std::string list;
  for (const Column& column : table.columns) {
    if (!list.empty()) list += ", ";
    list += column.name;
  }
  return list;
}

}  // namespace

TableCursor::TableCursor(Connection& connection, const TableSchema& table)
    : connection_(connection), table_(table) {
  const std::string name(table_.name);
  snapshot_ = std::make_unique<Statement>(
      connection_, "SELECT recno FROM " + name + " ORDER BY recno");
  fetch_ = std::make_unique<Statement>(
      connection_,
      "SELECT " + ColumnList(table_) + " FROM " + name + " WHERE recno = ?1");
  delete_ = std::make_unique<Statement>(
      connection_, "DELETE FROM " + name + " WHERE recno = ?1");
}

TableCursor::~TableCursor() = default;

void TableCursor::Reopen() {
  mode_ = Mode::kBrowse;
  changed_ = 0;
  loaded_ = false;
  recnos_.clear();
  index_ = 0;
  ResetOnExit reset(*snapshot_);
  while (snapshot_->Step()) recnos_.push_back(snapshot_->Integer(0));
}

std::pair<int64_t, int64_t> TableCursor::IntegerRange(
    std::string_view column) const {
  const std::string value = "CAST(" +
                            std::string(table_.columns[ColumnIndex(column)].name) +
                            " AS INTEGER)";
  Statement range(connection_, "SELECT ifnull(min(" + value + "), 0), ifnull(max(" +
                                   value + "), 0) FROM " +
                                   std::string(table_.name));
  ResetOnExit reset(range);
  range.Step();
  return {range.Integer(0), range.Integer(1)};
}

void TableCursor::Next() {
  Post();
  MoveTo(std::min(index_ + 1, RecordCount()));
}

void TableCursor::MoveTo(int64_t index) {
  if (index < 0 || index > RecordCount()) {
    throw std::out_of_range("数据表" + std::string(table_.name) + "没有第" +
                            std::to_string(index + 1) + "行");
  }
  Post();
  if (index != index_) loaded_ = false;
  index_ = index;
}

size_t TableCursor::ColumnIndex(std::string_view column) const {
  for (size_t i = 0; i < table_.columns.size(); ++i) {
    if (table_.columns[i].name == column) return i;
  }
  throw std::invalid_argument("数据表" + std::string(table_.name) +
                              "没有字段：" + std::string(column));
}

void TableCursor::RequireRow() const {
  if (Eof()) {
    throw std::logic_error("数据表" + std::string(table_.name) +
                           "没有当前记录");
  }
}

void TableCursor::Load() const {
  if (loaded_) return;
  row_.assign(table_.columns.size(), Value());
  ResetOnExit reset(*fetch_);
  fetch_->BindInteger(1, recnos_[static_cast<size_t>(index_)]);
  if (fetch_->Step()) {
    for (size_t i = 0; i < row_.size(); ++i) {
      int c = static_cast<int>(i);
      if (fetch_->IsNull(c)) continue;
      if (fetch_->IsInteger(c)) {
        row_[i] = fetch_->Integer(c);
      } else {
        row_[i] = std::string(fetch_->Bytes(c));
      }
    }
  }
  loaded_ = true;
}

const TableCursor::Value& TableCursor::Field(std::string_view column) const {
  size_t i = ColumnIndex(column);
  RequireRow();
  Load();
  return row_[i];
}

std::string TableCursor::Text(std::string_view column) const {
  const Value& value = Field(column);
  if (const auto* integer = std::get_if<int64_t>(&value)) {
    return std::to_string(*integer);
  }
  if (const auto* bytes = std::get_if<std::string>(&value)) return *bytes;
  return {};
}

int64_t TableCursor::Integer(std::string_view column) const {
  const Value& value = Field(column);
  if (const auto* integer = std::get_if<int64_t>(&value)) return *integer;
  if (const auto* bytes = std::get_if<std::string>(&value)) {
    return ParseInteger(*bytes).value_or(0);
  }
  return 0;
}

bool TableCursor::IsNull(std::string_view column) const {
  return std::holds_alternative<std::monostate>(Field(column));
}

void TableCursor::Edit() {
  RequireRow();
  if (mode_ != Mode::kBrowse) return;
  Load();
  mode_ = Mode::kEdit;
}

void TableCursor::Append() {
  Post();
  index_before_append_ = index_;
  index_ = RecordCount();
  row_.assign(table_.columns.size(), Value());
  loaded_ = true;
  changed_ = 0;
  mode_ = Mode::kAppend;
}

void TableCursor::Set(std::string_view column, ColumnKind kind, Value value) {
  size_t i = ColumnIndex(column);
  const Column& target = table_.columns[i];
  if (target.kind == ColumnKind::kRecno) {
    throw std::invalid_argument("字段" + std::string(target.name) +
                                "由数据库编号，不能修改");
  }
  if (kind != target.kind && !std::holds_alternative<std::monostate>(value)) {
    throw std::invalid_argument(
        "字段" + std::string(target.name) +
        (target.kind == ColumnKind::kInteger ? "只能存整数" : "只能存文本"));
  }
  if (mode_ == Mode::kBrowse) {
    throw std::logic_error("数据表" + std::string(table_.name) +
                           "不在编辑状态");
  }
  row_[i] = std::move(value);
  changed_ |= 1u << i;
}

void TableCursor::SetText(std::string_view column, std::string_view bytes) {
  Set(column, ColumnKind::kBytes, std::string(bytes));
}

void TableCursor::SetInteger(std::string_view column, int64_t value) {
  Set(column, ColumnKind::kInteger, value);
}

void TableCursor::SetNull(std::string_view column) {
  Set(column, ColumnKind::kBytes, Value());
}

void TableCursor::BindChanged(Statement& statement) const {
  int parameter = 0;
  for (size_t i = 0; i < row_.size(); ++i) {
    if ((changed_ & (1u << i)) == 0) continue;
    ++parameter;
    if (const auto* integer = std::get_if<int64_t>(&row_[i])) {
      statement.BindInteger(parameter, *integer);
    } else if (const auto* bytes = std::get_if<std::string>(&row_[i])) {
      statement.BindBytes(parameter, *bytes);
    } else {
      statement.BindNull(parameter);
    }
  }
}

Statement& TableCursor::UpdateStatement(uint32_t columns) {
  std::unique_ptr<Statement>& statement = updates_[columns];
  if (!statement) {
    std::string sql = "UPDATE " + std::string(table_.name) + " SET ";
    int parameter = 0;
    for (size_t i = 0; i < table_.columns.size(); ++i) {
      if ((columns & (1u << i)) == 0) continue;
      if (parameter > 0) sql += ", ";
      sql += std::string(table_.columns[i].name) + " = ?" +
             std::to_string(++parameter);
    }
    sql += " WHERE recno = ?" + std::to_string(parameter + 1);
    statement = std::make_unique<Statement>(connection_, sql);
  }
  return *statement;
}

Statement& TableCursor::InsertStatement(uint32_t columns) {
  std::unique_ptr<Statement>& statement = inserts_[columns];
  if (!statement) {
    std::string names, values;
    int parameter = 0;
    for (size_t i = 0; i < table_.columns.size(); ++i) {
      if ((columns & (1u << i)) == 0) continue;
      if (parameter > 0) {
        names += ", ";
        values += ", ";
      }
      names += table_.columns[i].name;
      values += "?" + std::to_string(++parameter);
    }
    std::string sql = "INSERT INTO " + std::string(table_.name);
    sql += parameter == 0 ? " DEFAULT VALUES"
                          : " (" + names + ") VALUES (" + values + ")";
    statement = std::make_unique<Statement>(connection_, sql);
  }
  return *statement;
}

void TableCursor::Post() {
  if (mode_ == Mode::kEdit) {
    if (changed_ != 0) {
      Statement& update = UpdateStatement(changed_);
      WriteTransaction write(connection_);
      {
        ResetOnExit reset(update);
        BindChanged(update);
        update.BindInteger(std::popcount(changed_) + 1,
                           recnos_[static_cast<size_t>(index_)]);
        update.Run();
      }
      if (connection_.Changes() == 0) {
        throw DatabaseError(
            "数据库操作失败：" + connection_.path() + "（" +
            std::string(table_.name) + "中recno为" +
            std::to_string(recnos_[static_cast<size_t>(index_)]) +
            "的记录已不存在）");
      }
      write.Commit();
    }
  } else if (mode_ == Mode::kAppend) {
    Statement& insert = InsertStatement(changed_);
    WriteTransaction write(connection_);
    {
      ResetOnExit reset(insert);
      BindChanged(insert);
      insert.Run();
    }
    int64_t recno = connection_.LastInsertRecno();
    write.Commit();
    recnos_.push_back(recno);
    index_ = RecordCount() - 1;
    loaded_ = false;
  }
  mode_ = Mode::kBrowse;
  changed_ = 0;
}

void TableCursor::Cancel() {
  if (mode_ == Mode::kAppend) index_ = index_before_append_;
  mode_ = Mode::kBrowse;
  changed_ = 0;
  loaded_ = false;
}

void TableCursor::Delete() {
  if (mode_ == Mode::kAppend) {
    Cancel();
    return;
  }
  RequireRow();
  Cancel();
  WriteTransaction write(connection_);
  {
    ResetOnExit reset(*delete_);
    delete_->BindInteger(1, recnos_[static_cast<size_t>(index_)]);
    delete_->Run();
  }
  write.Commit();
  recnos_.erase(recnos_.begin() + index_);
  loaded_ = false;
}

}  // namespace veltrane
