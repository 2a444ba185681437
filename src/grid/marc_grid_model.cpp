#include "grid/marc_grid_model.h"

namespace veltrane::grid {

MarcGridModel::MarcGridModel(QObject* parent) : QAbstractTableModel(parent) {}

int MarcGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int MarcGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kMarcGridColumns;
}

QVariant MarcGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
    return {};
  }
  return rows_[index.row()][index.column()];
}

bool MarcGridModel::setData(const QModelIndex& index, const QVariant& value,
                            int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  rows_[index.row()][index.column()] = value.toString();
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  return true;
}

Qt::ItemFlags MarcGridModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.column() != kRemarkColumn) flags |= Qt::ItemIsEditable;
  return flags;
}

QVariant MarcGridModel::headerData(int section, Qt::Orientation orientation,
                                   int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const QString kTitles[kMarcGridColumns] = {
      QStringLiteral("说明"), QStringLiteral("字段号"),
      QStringLiteral("指示符"), QStringLiteral("数据")};
  return section >= 0 && section < kMarcGridColumns ? kTitles[section]
                                                      : QVariant();
}

void MarcGridModel::SetRows(std::vector<MarcGridRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

void MarcGridModel::InsertEmptyRow(int row) {
  beginInsertRows({}, row, row);
  rows_.insert(rows_.begin() + row, MarcGridRow{});
  endInsertRows();
}

void MarcGridModel::RemoveRowAt(int row) {
  beginRemoveRows({}, row, row);
  rows_.erase(rows_.begin() + row);
  endRemoveRows();
}

}  // namespace veltrane::grid
