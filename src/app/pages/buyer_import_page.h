// The page "导入采购方MARC数据": imports the buyer's MARC file into the
// purchasing database with a copy count per record, and writes the buyer's
// ISBNs as an ISBN list.
#ifndef VELTRANE_APP_PAGES_BUYER_IMPORT_PAGE_H_
#define VELTRANE_APP_PAGES_BUYER_IMPORT_PAGE_H_

#include <QWidget>

#include "app/operation_runner.h"
#include "app/page_context.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace veltrane::app {

class BuyerImportPage : public QWidget {
  Q_OBJECT
 public:
  explicit BuyerImportPage(const PageContext& context,
                           QWidget* parent = nullptr);

 private:
  void btnPn1_BrowClick();
  void PathEdited();
  void CopyBoxClicked(QCheckBox* clicked);
  void btnPn1_InputClick();
  void btnPn1_OuputClick();

  PageContext context_;
  QLineEdit* marc_file_;      // edtFileName_Pn1_MARC
  QLabel* row_count_;         // lblPrompt1
  QCheckBox* fixed_box_;      // RzCheckBox4
  QLineEdit* fixed_copies_;   // RzEdit17
  QCheckBox* field_box_;      // RzCheckBox5
  QLineEdit* copies_field_;   // RzEdit22
  QPushButton* import_;       // btnPn1_Input
  QLineEdit* isbn_file_;      // edtFileName_Pn1_ISBN
  QPushButton* export_;       // btnPn1_Ouput
  QProgressBar* export_bar_;  // RzProgressBar2
  QLabel* export_total_;      // lblPrompt2
  OperationRunner import_runner_;
  OperationRunner export_runner_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGES_BUYER_IMPORT_PAGE_H_
