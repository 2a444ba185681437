// The page "利用ISBN输出供应商MARC数据": appends the supplier's complete
// records of the bought ISBNs to a MARC file, in supplier or list order.
#ifndef VELTRANE_APP_PAGES_EXTRACT_PAGE_H_
#define VELTRANE_APP_PAGES_EXTRACT_PAGE_H_

#include <QWidget>

#include "app/operation_runner.h"
#include "app/page_context.h"

class QLineEdit;
class QPushButton;

namespace veltrane::app {

class RadioGroup;

class ExtractPage : public QWidget {
  Q_OBJECT
 public:
  explicit ExtractPage(const PageContext& context, QWidget* parent = nullptr);

 private:
  void RzButton11Click();

  QLineEdit* supplier_file_;  // edtFileName_Pn3_m1
  QLineEdit* isbn_file_;      // edtFileName_Pn3_isbn
  RadioGroup* order_;         // RzRadioGroup10
  QLineEdit* output_file_;    // edtFileName_Pn3_m2
  QPushButton* start_;        // RzButton11
  OperationRunner runner_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGES_EXTRACT_PAGE_H_
