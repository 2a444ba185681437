// The page "从MARC数据中输出ISBN": the 010 $a of every record of a MARC file
// to an ISBN list file, as found or without hyphens.
#ifndef VELTRANE_APP_PAGES_ISBN_OUT_PAGE_H_
#define VELTRANE_APP_PAGES_ISBN_OUT_PAGE_H_

#include <QWidget>

#include "app/operation_runner.h"
#include "app/page_context.h"

class QLineEdit;
class QPushButton;

namespace veltrane::app {

class RadioGroup;

class IsbnOutPage : public QWidget {
  Q_OBJECT
 public:
  explicit IsbnOutPage(const PageContext& context, QWidget* parent = nullptr);

 private:
  void RzButton22Click();

  QLineEdit* marc_file_;  // RzEdit18
  QLineEdit* isbn_file_;  // RzEdit19
  RadioGroup* option_;    // radIsbn
  QPushButton* start_;    // RzButton22
  OperationRunner runner_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGES_ISBN_OUT_PAGE_H_
