// A grid model over a table cursor of the purchasing database: rows are read
// when shown; an edited cell is kept with its row and written when the user
// leaves the row (PostPending), the way a database grid posts.
#ifndef VELTRANE_APP_CURSOR_TABLE_MODEL_H_
#define VELTRANE_APP_CURSOR_TABLE_MODEL_H_

#include <QAbstractTableModel>
#include <map>
#include <span>
#include <string>

#include "ops/purchase_data.h"

namespace veltrane {
class TableCursor;
}

namespace veltrane::app {

class CursorTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  // `columns` must outlive the model (the grids' constant tables).
  CursorTableModel(std::span<const GridColumn> columns,
                   QObject* parent = nullptr);

  // Shows `cursor` (may be null: an empty grid), reopened.
  void Show(TableCursor* cursor);
  // Reopens the cursor and shows the table anew (pending edits are posted
  // first).
  void Refresh();
  // Writes the edits of the row being edited. Throws DatabaseError.
  void PostPending();

  TableCursor* cursor() const { return cursor_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value,
               int role) override;

 private:
  std::span<const GridColumn> columns_;
  TableCursor* cursor_ = nullptr;
  int pending_row_ = -1;
  std::map<int, QString> pending_;  // column index -> new text
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_CURSOR_TABLE_MODEL_H_
