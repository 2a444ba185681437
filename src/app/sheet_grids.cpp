#include "app/sheet_grids.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>

#include "app/key_filters.h"
#include "app/messages.h"
#include "app/text_codec.h"
#include "marc/match.h"
#include "ops/input_checks.h"
#include "ops/sheet_lists.h"

namespace veltrane::app {

void ListModel::Show(Grid grid) {
  beginResetModel();
  grid_ = std::move(grid);
  endResetModel();
}

void ListModel::Changed() {
  beginResetModel();
  endResetModel();
}

int ListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || grid_.rows() == 0 ? 0 : grid_.rows() - 1;
}

int ListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.columns();
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return QString::fromStdString(grid_.Cell(index.column(), index.row() + 1));
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation,
                               int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return QString::fromStdString(grid_.Cell(section, 0));
}

bool OpenWorkbook(QWidget* page, const QString& name,
                  const std::function<void(const std::string& path)>& load) {
  const std::string path = ToPath(name);
  if (!IsExistingFile(path)) {
    Messages().Information(page,
                           QString::fromStdString(MissingWorkbookMessage(path)));
    return false;
  }
  QString error;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    load(path);
  } catch (const std::exception& e) {
    error = QString::fromStdString(e.what());
  }
  QApplication::restoreOverrideCursor();
  if (error.isNull()) return true;
  Messages().Error(page, error);
  return false;
}

QTableWidget* MakeSettingsTable(const char* name, const QStringList& headings,
                                int rows, const std::vector<int>& fixed) {
  auto* table = new QTableWidget(rows, static_cast<int>(headings.size()));
  table->setObjectName(name);
  table->setHorizontalHeaderLabels(headings);
  table->horizontalHeader()->setStretchLastSection(true);
  table->setTabKeyNavigation(true);
  for (int column : fixed) {
    for (int row = 0; row < rows; ++row) {
      auto* item = new QTableWidgetItem;
      item->setFlags(item->flags() & ~Qt::ItemIsEditable);
      table->setItem(row, column, item);
    }
  }
  table->setProperty("fixedColumns", QVariant::fromValue(QList<int>(
                                         fixed.begin(), fixed.end())));
  return table;
}

QString CellText(const QTableWidget* table, int row, int column) {
  const QTableWidgetItem* item = table->item(row, column);
  return item ? item->text() : QString();
}

void AddTableRow(QTableWidget* table) {
  const int row = table->rowCount();
  table->insertRow(row);
  for (int column : table->property("fixedColumns").value<QList<int>>()) {
    auto* item = new QTableWidgetItem;
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    table->setItem(row, column, item);
  }
}

void DeleteTableRow(QTableWidget* table) {
  if (table->rowCount() > 1) {
    table->removeRow(std::max(0, table->currentRow()));
    return;
  }
  for (int column = 0; column < table->columnCount(); ++column) {
    if (QTableWidgetItem* item = table->item(0, column)) {
      item->setText(QString());
      item->setData(Qt::UserRole, QVariant());
    }
  }
}

Grid GridOfTable(const QTableWidget* table) {
  Grid grid(table->columnCount(), table->rowCount() + 1);
  for (int column = 0; column < table->columnCount(); ++column) {
    grid.SetColumnWidth(column, table->columnWidth(column));
    if (const QTableWidgetItem* heading = table->horizontalHeaderItem(column)) {
      grid.SetCell(column, 0, ToGbk(heading->text()));
    }
    for (int row = 0; row < table->rowCount(); ++row) {
      grid.SetCell(column, row + 1, ToGbk(CellText(table, row, column)));
    }
  }
  return grid;
}

void ShowGridInTable(const Grid& grid, QTableWidget* table) {
  table->setColumnCount(grid.columns());
  table->setRowCount(std::max(0, grid.rows() - 1));
  for (int column = 0; column < grid.columns(); ++column) {
    table->setColumnWidth(column, grid.ColumnWidth(column));
    table->setHorizontalHeaderItem(
        column, new QTableWidgetItem(FromGbk(grid.Cell(column, 0))));
    for (int row = 1; row < grid.rows(); ++row) {
      table->setItem(row - 1, column,
                     new QTableWidgetItem(FromGbk(grid.Cell(column, row))));
    }
  }
}

QWidget* FieldSpecDelegate::createEditor(QWidget* parent,
                                         const QStyleOptionViewItem&,
                                         const QModelIndex&) const {
  auto* editor = new QLineEdit(parent);
  AddressKeyPress(editor);
  return editor;
}

void FieldSpecDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                     const QModelIndex& index) const {
  const QString text = static_cast<QLineEdit*>(editor)->text();
  if (!text.isEmpty() && !IsValidFieldSpec(text.toStdString())) return;
  model->setData(index, text);
}

QWidget* ColumnNameDelegate::createEditor(QWidget* parent,
                                          const QStyleOptionViewItem&,
                                          const QModelIndex&) const {
  auto* editor = new QComboBox(parent);
  editor->addItems(names_());
  return editor;
}

void ColumnNameDelegate::setModelData(QWidget* editor,
                                      QAbstractItemModel* model,
                                      const QModelIndex& index) const {
  auto* box = static_cast<QComboBox*>(editor);
  if (box->currentIndex() < 0) return;
  model->setData(index, box->currentText());
  model->setData(index, box->currentIndex(), Qt::UserRole);
}

}  // namespace veltrane::app
