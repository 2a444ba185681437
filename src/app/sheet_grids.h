// The grids of the workbook pages: a read-only view of a list loaded from a
// workbook (row 0 as the headings), the settings tables with their row
// buttons and grid cell files, and the cell editors of the field and
// column-name cells.
#ifndef VELTRANE_APP_SHEET_GRIDS_H_
#define VELTRANE_APP_SHEET_GRIDS_H_

#include <QAbstractTableModel>
#include <QStringList>
#include <QStyledItemDelegate>
#include <functional>
#include <string>

#include "sheet/grid.h"

class QTableWidget;

namespace veltrane::app {

// A list loaded from a workbook: grid row 0 is shown as the column
// headings, the other rows as the table. Not editable.
class ListModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  Grid& grid() { return grid_; }
  // Shows `grid` instead of the list shown so far.
  void Show(Grid grid);
  // Shows the list again after an operation changed it.
  void Changed();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role) const override;

 private:
  Grid grid_;
};

// "打开..." of a workbook page: the workbook named `name` into the page with
// `load` (given the path) under the hourglass cursor. A missing file gives
// "找不到'...'文件，请确定该文件是否存在？！" and `load` is not called; an
// error of `load` is shown in the error box. False unless `load` succeeded.
bool OpenWorkbook(QWidget* page, const QString& name,
                  const std::function<void(const std::string& path)>& load);

// A settings table: `headings` as its heading row, `rows` empty data rows;
// the columns listed in `fixed` cannot be edited.
QTableWidget* MakeSettingsTable(const char* name, const QStringList& headings,
                                int rows, const std::vector<int>& fixed = {});
// The text of a settings cell, and its column-number data (Qt::UserRole).
QString CellText(const QTableWidget* table, int row, int column);
// "增加一行": an empty row at the end.
void AddTableRow(QTableWidget* table);
// "删除本行": with more than one row removes the current one; with one left
// empties its cells instead.
void DeleteTableRow(QTableWidget* table);
// A settings table as a grid cell file holds it (headings in row 0, GBK),
// and back.
Grid GridOfTable(const QTableWidget* table);
void ShowGridInTable(const Grid& grid, QTableWidget* table);

// The field cell editor: the address key filter while typing, and a text
// that is not a field ("200", "200a") refused when the cell is left.
class FieldSpecDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
};

// A drop-down of names built afresh each time the editor opens; choosing a
// name stores it and its position (Qt::UserRole), which is its column.
class ColumnNameDelegate : public QStyledItemDelegate {
 public:
  ColumnNameDelegate(QObject* parent, std::function<QStringList()> names)
      : QStyledItemDelegate(parent), names_(std::move(names)) {}
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;

 private:
  std::function<QStringList()> names_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_SHEET_GRIDS_H_
