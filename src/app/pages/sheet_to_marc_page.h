// The page "EXCEL转MARC": each row of a workbook's active sheet into one
// CNMARC record, its columns mapped to fields in the column table, which
// opening the workbook fills from the first row.
#ifndef VELTRANE_APP_PAGES_SHEET_TO_MARC_PAGE_H_
#define VELTRANE_APP_PAGES_SHEET_TO_MARC_PAGE_H_

#include <QWidget>

#include "app/operation_runner.h"
#include "app/page_context.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace veltrane::app {

class SheetToMarcPage : public QWidget {
  Q_OBJECT
 public:
  explicit SheetToMarcPage(const PageContext& context,
                           QWidget* parent = nullptr);

 private:
  void RzButton25Click();
  void RzButton26Click();

  QLineEdit* sheet_file_;    // RzEdit23
  QTableWidget* columns_;    // asg2
  QLabel* please_edit_;      // lblPleaseEdit
  QCheckBox* first_row_;     // chkExcelToMarc
  QLineEdit* marc_file_;     // RzEdit24
  QPushButton* start_;       // RzButton26
  QCheckBox* stop_;          // CheckBox5
  OperationRunner runner_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGES_SHEET_TO_MARC_PAGE_H_
