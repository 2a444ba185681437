#include "app/label_list_model.h"

#include "app/text_codec.h"

namespace veltrane::app {

LabelListModel::LabelListModel(QObject* parent) : QAbstractTableModel(parent) {}

void LabelListModel::SetRows(std::vector<LabelRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  order_ = {};
  endResetModel();
  emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void LabelListModel::SortByColumn(int section) {
  if (rows_.empty() || section < 0 || section >= columnCount()) return;
  beginResetModel();
  order_ = NextLabelOrder(order_, kLabelGridColumns[section]);
  SortLabels(rows_, order_);
  endResetModel();
  emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int LabelListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int LabelListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kLabelFieldCount;
}

QVariant LabelListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return FromGbk(rows_[index.row()][kLabelGridColumns[index.column()]]);
}

QVariant LabelListModel::headerData(int section, Qt::Orientation orientation,
                                    int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return QString::fromStdString(
      LabelColumnTitle(kLabelGridColumns[section], order_));
}

}  // namespace veltrane::app
