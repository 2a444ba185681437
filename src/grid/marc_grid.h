// TMarcGrid: one MARC record as a table, a row per element (the leader
// first, then the fields in field order) and the columns "说明" (the
// field's name), "字段号", "指示符" and "数据", subfield delimiters shown as
// "■" in the mark colour. Cells can be edited in place, rows inserted and
// deleted, the description column hidden, and a floating help panel names
// the current field and its subfields. Nothing edited is written anywhere.
//
// Rows are counted from the leader row (0); the column titles are the
// header above them.
#ifndef VELTRANE_GRID_MARC_GRID_H_
#define VELTRANE_GRID_MARC_GRID_H_

#include <QPointer>
#include <QTableView>
#include <string_view>

#include "grid/grid_setup.h"

class QAction;
class QMenu;

namespace veltrane::grid {

class MarcCellDelegate;
class MarcGridModel;
class TfraMMarcInfo;

class TMarcGrid : public QTableView {
  Q_OBJECT
 public:
  static constexpr int kDescriptionWidth = 108;
  static constexpr int kDefaultRowHeight = 24;

  explicit TMarcGrid(QWidget* parent = nullptr);
  ~TMarcGrid() override;

  static QString Version() { return QStringLiteral("Ver 1.0.3"); }
  static QString About() { return QStringLiteral("MARC控件 ") + Version(); }

  TSetup& Setup() { return setup_; }
  // The column titles ("说明" ...) shown or not.
  void SetShowTitle(bool show);
  // The description column shown (108 pixels wide) or hidden.
  void SetShowRemark(bool show);
  bool ShowRemark() const;

  // Fills the grid from one ISO 2709 record text; empty text leaves one
  // empty row. The grid is emptied first, so a record that cannot be read
  // (MarcFormatError, thrown on) leaves it with one empty row.
  void LoadRecord(std::string_view record_text);
  // "填入MARC模板" and "清空".
  void LoadTemplate();
  void Clear();

  // Sets each row's height from its content (never below the default
  // height), then adds `extra`. Ends any cell editing.
  void AutoRowHeights(int extra = 0);

  // "当前行下插入字段": an empty row below `row`, which becomes current and
  // is edited. "删除当前字段": removes `row`. Rows outside the grid: nothing.
  void InsertRowBelow(int row);
  void DeleteRow(int row);

  // "帮助" (checks or unchecks it) and "隐藏显示说明栏".
  void ToggleHelp();
  void ToggleRemarkColumn();
  bool HelpChecked() const;
  // The help panel (created when first needed; placed on the grid's window).
  TfraMMarcInfo* HelpPanel();

  // True while a cell's editor is open.
  bool IsEditing() const { return state() == QAbstractItemView::EditingState; }

  int RowCount() const;
  QString Cell(int row, int column) const;
  // SetCellRich: data cells keep their marks coloured when drawn.
  void SetCell(int row, int column, const QString& text);

  QMenu* PopupMenu() const { return menu_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildMenu();
  void ShowHelp(bool checked);
  void UpdateHelp(int row);
  void MoveEditor(int row_step, int column_step);
  void GrowEditedRow(int height);
  void FitRow(int row);

  TSetup setup_;
  MarcGridModel* model_;
  MarcCellDelegate* delegate_;
  QMenu* menu_;
  QAction* help_action_;
  QPointer<TfraMMarcInfo> panel_;
};

}  // namespace veltrane::grid

#endif  // VELTRANE_GRID_MARC_GRID_H_
