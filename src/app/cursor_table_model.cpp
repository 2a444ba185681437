#include "app/cursor_table_model.h"

#include "app/text_codec.h"
#include "db/table_cursor.h"
#include "ops/int_text.h"
#include "util/text.h"

namespace veltrane::app {

CursorTableModel::CursorTableModel(std::span<const GridColumn> columns,
                                   QObject* parent)
    : QAbstractTableModel(parent), columns_(columns) {}

void CursorTableModel::Show(TableCursor* cursor) {
  cursor_ = cursor;
  Refresh();
}

void CursorTableModel::Refresh() {
  PostPending();
  beginResetModel();
  if (cursor_) cursor_->Reopen();
  endResetModel();
}

void CursorTableModel::PostPending() {
  if (pending_row_ < 0 || !cursor_) return;
  int row = pending_row_;
  std::map<int, QString> edits;
  edits.swap(pending_);
  pending_row_ = -1;
  cursor_->MoveTo(row);
  cursor_->Edit();
  for (const auto& [column, text] : edits) {
    const GridColumn& grid_column = columns_[static_cast<size_t>(column)];
    if (cursor_->Kind(grid_column.column) == ColumnKind::kInteger) {
      cursor_->SetInteger(grid_column.column, text.toLongLong());
    } else {
      cursor_->SetText(grid_column.column, ToGbk(text));
    }
  }
  cursor_->Post();
  emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

int CursorTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !cursor_) return 0;
  return static_cast<int>(cursor_->RecordCount());
}

int CursorTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant CursorTableModel::data(const QModelIndex& index, int role) const {
  if (!cursor_ || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  if (index.row() == pending_row_) {
    if (auto edit = pending_.find(index.column()); edit != pending_.end()) {
      return edit->second;
    }
  }
  cursor_->MoveTo(index.row());
  return FromRecordBytes(
      cursor_->Text(columns_[static_cast<size_t>(index.column())].column));
}

QVariant CursorTableModel::headerData(int section, Qt::Orientation orientation,
                                      int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return QString::fromUtf8(columns_[static_cast<size_t>(section)].heading);
}

Qt::ItemFlags CursorTableModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (columns_[static_cast<size_t>(index.column())].editable) {
    flags |= Qt::ItemIsEditable;
  }
  return flags;
}

bool CursorTableModel::setData(const QModelIndex& index, const QVariant& value,
                               int role) {
  if (role != Qt::EditRole || !cursor_) return false;
  QString text = value.toString();
  if (cursor_->Kind(columns_[static_cast<size_t>(index.column())].column) ==
          ColumnKind::kInteger &&
      !ParseIntText(text.trimmed().toStdString())) {  // 32-bit counts only
    return false;
  }
  if (pending_row_ != index.row()) PostPending();
  pending_row_ = index.row();
  pending_[index.column()] = text.trimmed();
  emit dataChanged(index, index);
  return true;
}

}  // namespace veltrane::app
