// The page "利用双方ISBN文件自动匹配查重": compares the supplier's ISBN list
// with the buyer's, line by line, and writes the lines the buyer lacks and
// the lines both have.
#ifndef VELTRANE_APP_PAGES_ISBN_CHECK_PAGE_H_
#define VELTRANE_APP_PAGES_ISBN_CHECK_PAGE_H_

#include <QWidget>

#include "app/operation_runner.h"
#include "app/page_context.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace veltrane::app {

class IsbnCheckPage : public QWidget {
  Q_OBJECT
 public:
  explicit IsbnCheckPage(const PageContext& context, QWidget* parent = nullptr);

 private:
  void RzButton33Click();

  QLineEdit* buyer_file_;     // RzEdit2
  QLineEdit* supplier_file_;  // RzEdit3
  QCheckBox* isbn_keys_;      // chkConvISBN06
  QLineEdit* lacks_file_;     // RzEdit1
  QLineEdit* common_file_;    // RzEdit7
  QPushButton* start_;        // RzButton33
  OperationRunner runner_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGES_ISBN_CHECK_PAGE_H_
