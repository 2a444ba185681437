// The page "利用双方EXCEL文件自动匹配查重": the buyer's and the supplier's
// lists from their workbooks, the paired match fields, and the run that
// marks both lists and writes the result workbook.
#ifndef VELTRANE_APP_PAGES_SHEET_CHECK_PAGE_H_
#define VELTRANE_APP_PAGES_SHEET_CHECK_PAGE_H_

#include <QWidget>

#include "app/operation_runner.h"
#include "app/page_context.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableView;
class QTableWidget;

namespace veltrane::app {

class ListModel;
class RadioGroup;

class SheetCheckPage : public QWidget {
  Q_OBJECT
 public:
  explicit SheetCheckPage(const PageContext& context,
                          QWidget* parent = nullptr);

 private:
  // One side's file row, heading switch and list.
  QWidget* MakeSide(const QString& caption, const char* edit_name,
                    const char* button_name, const char* check_name,
                    const char* grid_name, QLineEdit*& edit, QCheckBox*& heading,
                    ListModel*& model, int pair_column);
  // "打开...": loads the list of one side and empties its match-field cells.
  void OpenList(QLineEdit* edit, ListModel* model, int pair_column);
  void RzButton47Click();

  QLineEdit* buyer_file_;      // RzEdit5
  QLineEdit* supplier_file_;   // RzEdit6
  QCheckBox* buyer_heading_;   // chk5
  QCheckBox* supplier_heading_;  // chk6
  ListModel* buyer_;           // asg5
  ListModel* supplier_;        // asg6
  QTableWidget* pairs_;        // asg7
  RadioGroup* mode_;           // rdgExcel
  QCheckBox* sorted_;          // chkOrder
  QLineEdit* result_file_;     // RzEdit4
  QCheckBox* mark_sources_;    // RzCheckBox1
  QPushButton* start_;         // RzButton47
  QCheckBox* abort_;           // chkAbort
  OperationRunner runner_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGES_SHEET_CHECK_PAGE_H_
