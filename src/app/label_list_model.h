// The label grid's model: the rows of the label list in their current order,
// in the grid's column order, titled with the sort mark of the sorted column.
#ifndef VELTRANE_APP_LABEL_LIST_MODEL_H_
#define VELTRANE_APP_LABEL_LIST_MODEL_H_

#include <QAbstractTableModel>
#include <vector>

#include "ops/label_list.h"

namespace veltrane::app {

class LabelListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit LabelListModel(QObject* parent = nullptr);

  const std::vector<LabelRow>& rows() const { return rows_; }
  // Shows `rows` in file order.
  void SetRows(std::vector<LabelRow> rows);
  // Sorts by the grid column `section` as a click on its title does;
  // nothing while the list is empty.
  void SortByColumn(int section);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role) const override;

 private:
  std::vector<LabelRow> rows_;
  LabelOrder order_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_LABEL_LIST_MODEL_H_
