// The page "利用双方MARC数据自动匹配查重": checks the supplier's MARC file
// against the buyer's records (table buyer or a MARC file) under one of the
// three duplicate rules and writes the books the buyer lacks and the books
// both sides have.
#ifndef VELTRANE_APP_PAGES_MARC_CHECK_PAGE_H_
#define VELTRANE_APP_PAGES_MARC_CHECK_PAGE_H_

#include <QWidget>
#include <vector>

#include "app/operation_runner.h"
#include "app/page_context.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace veltrane::app {

class RadioGroup;

class MarcCheckPage : public QWidget {
  Q_OBJECT
 public:
  explicit MarcCheckPage(const PageContext& context, QWidget* parent = nullptr);

 private:
  QWidget* MakeSources();
  QWidget* MakeRule();
  QWidget* MakeOutputs();
  void RzRadioGroup2Click(int item);
  void RzRadioGroup3Click(int item);
  void RzButton14Click();

  PageContext context_;
  RadioGroup* buyer_source_;   // RzRadioGroup2
  QLineEdit* buyer_file_;      // RzEdit14
  QPushButton* buyer_browse_;  // RzButton15
  QLineEdit* supplier_file_;   // RzEdit10
  RadioGroup* rule_;           // RzRadioGroup3
  QLineEdit* fields_;          // RzEdit12
  QSpinBox* threshold_;        // RzSpinEdit1
  std::vector<QWidget*> field_labels_;
  QCheckBox* isbn_keys_;             // chkConvISBN05
  QLineEdit* lacks_file_;            // RzEdit11
  QLineEdit* common_file_;           // RzEdit16
  QRadioButton* common_from_buyer_;  // RzRadioButton1
  QPushButton* start_;               // RzButton14
  OperationRunner runner_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGES_MARC_CHECK_PAGE_H_
