// The rows of the MARC grid: one per element of the record (the leader
// first), four texts each: description, tag, indicators, data. The
// description is not editable; the other three are. The column titles are
// the header.
#ifndef VELTRANE_GRID_MARC_GRID_MODEL_H_
#define VELTRANE_GRID_MARC_GRID_MODEL_H_

#include <QAbstractTableModel>
#include <array>
#include <vector>

namespace veltrane::grid {

enum MarcGridColumn { kRemarkColumn, kTagColumn, kIndicatorColumn, kDataColumn };
inline constexpr int kMarcGridColumns = 4;

using MarcGridRow = std::array<QString, kMarcGridColumns>;

class MarcGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit MarcGridModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value,
               int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role) const override;

  // Replaces every row.
  void SetRows(std::vector<MarcGridRow> rows);
  // An empty row at `row` (0..rowCount()).
  void InsertEmptyRow(int row);
  // REQUIRES: 0 <= row < rowCount().
  void RemoveRowAt(int row);

 private:
  std::vector<MarcGridRow> rows_;
};

}  // namespace veltrane::grid

#endif  // VELTRANE_GRID_MARC_GRID_MODEL_H_
