// The page "现场采购数据维护": both tables of the purchasing database in
// editable grids, batch setting and shifting of copies and quantities, row
// deletion, clearing (after a confirmation) and the text export of the
// purchases.
#ifndef VELTRANE_APP_PAGES_MAINTENANCE_PAGE_H_
#define VELTRANE_APP_PAGES_MAINTENANCE_PAGE_H_

#include <QWidget>
#include <functional>
#include <string>

#include "app/file_dialogs.h"
#include "app/page_context.h"

class QLayout;
class QTableView;
class QTabWidget;

namespace veltrane {
class TableCursor;
class TMainData;
}

namespace veltrane::app {

class CursorTableModel;
class OperationRunner;

class MaintenancePage : public QWidget {
  Q_OBJECT
 public:
  explicit MaintenancePage(const PageContext& context,
                           QWidget* parent = nullptr);

  // Reopens both tables so the grids show current data.
  void Refresh();

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  // The names and captions of one table's tab.
  struct TableTab {
    const char* tab;
    const char* grid;
    QString set_label;
    const char* set_edit;
    const char* set_button;
    QString shift_label;
    const char* shift_edit;
    const char* shift_button;
  };
  // A table's tab: its grid over `model` (stored in `grid`), the "设置" and
  // "增减" rows working on the model's table, and `buttons` below them.
  QWidget* MakeTableTab(const TableTab& names, CursorTableModel* model,
                        QTableView*& grid, QLayout* buttons);
  QWidget* MakeBuyerTab();
  QWidget* MakePurchaseTab();
  // Runs `change` on the grid's table after posting its pending edit, then
  // shows the table anew; a database error is reported.
  void Change(CursorTableModel* model,
              const std::function<void(TableCursor&)>& change);
  void Clear(bool buyer);
  void RzButton51Click();
  // The purchase exports: only while there are purchases; the save dialog
  // `spec`, pending edits posted, then `run` with the chosen name.
  void ExportPurchases(const FileDialogSpec& spec,
                       const std::function<void(const std::string& path,
                                                TMainData& database,
                                                OperationRunner& runner)>& run);
  void RzButton59Click();
  void RzButton60Click();

  PageContext context_;
  QTabWidget* tabs_;
  QTableView* buyer_grid_;     // DBGrid1
  QTableView* purchase_grid_;  // DBGrid2
  CursorTableModel* buyer_model_;
  CursorTableModel* purchase_model_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGES_MAINTENANCE_PAGE_H_
