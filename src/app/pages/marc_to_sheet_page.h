// The page "MARC转EXCEL": chosen fields of every record of a MARC file into
// a new workbook, the field table kept in a grid cell file if the user wants.
#ifndef VELTRANE_APP_PAGES_MARC_TO_SHEET_PAGE_H_
#define VELTRANE_APP_PAGES_MARC_TO_SHEET_PAGE_H_

#include <QWidget>

#include "app/operation_runner.h"
#include "app/page_context.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace veltrane::app {

class MarcToSheetPage : public QWidget {
  Q_OBJECT
 public:
  explicit MarcToSheetPage(const PageContext& context,
                           QWidget* parent = nullptr);

 private:
  void RzButton43Click();
  void RzButton44Click();
  void RzButton21Click();

  QLineEdit* marc_file_;   // RzEdit20
  QLineEdit* sheet_file_;  // RzEdit21
  QTableWidget* fields_;   // asg3
  QPushButton* start_;     // RzButton21
  OperationRunner runner_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGES_MARC_TO_SHEET_PAGE_H_
