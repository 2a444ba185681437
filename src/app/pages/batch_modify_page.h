// The page "对MARC文件批量修改": a table of field operations applied to
// every record of a MARC file, written to a new file; the table saved to and
// loaded from a file; accession numbers generated afresh on request.
#ifndef VELTRANE_APP_PAGES_BATCH_MODIFY_PAGE_H_
#define VELTRANE_APP_PAGES_BATCH_MODIFY_PAGE_H_

#include <QWidget>

#include "app/operation_runner.h"
#include "app/page_context.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace veltrane::app {

class BatchModifyPage : public QWidget {
  Q_OBJECT
 public:
  explicit BatchModifyPage(const PageContext& context,
                           QWidget* parent = nullptr);

 private:
  QWidget* MakeTable();
  void RzButton39Click();
  void RzButton40Click();
  void CheckBox3Click();
  void RzButton37Click();

  QLineEdit* marc_file_;     // RzEdit8
  QLineEdit* output_file_;   // RzEdit9
  QTableWidget* rules_;      // asg
  QCheckBox* renumber_;      // CheckBox3
  QLabel* start_label_;      // RzLabel78
  QLineEdit* start_number_;  // RzEdit49
  QCheckBox* add_missing_;   // chkModif_Mode
  QPushButton* start_;       // RzButton37
  OperationRunner runner_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGES_BATCH_MODIFY_PAGE_H_
