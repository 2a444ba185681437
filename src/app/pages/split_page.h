// The page "分割MARC文件": cuts a MARC file into numbered files, a number of
// records per file or a number of files of nearly equal size.
#ifndef VELTRANE_APP_PAGES_SPLIT_PAGE_H_
#define VELTRANE_APP_PAGES_SPLIT_PAGE_H_

#include <QWidget>

#include "app/operation_runner.h"
#include "app/page_context.h"

class QLineEdit;
class QPushButton;

namespace veltrane::app {

class RadioGroup;

class SplitPage : public QWidget {
  Q_OBJECT
 public:
  explicit SplitPage(const PageContext& context, QWidget* parent = nullptr);

 private:
  void RzButton68Click();
  void RzEdit39Change();
  void RzRadioGroup9Click(int item);
  void NumberChange(const QString& text);
  void RzButton69Click();
  void RzButton70Click();

  QLineEdit* marc_file_;    // RzEdit39
  QLineEdit* count_;        // RzEdit42
  RadioGroup* mode_;        // RzRadioGroup9
  QLineEdit* per_file_;     // RzEdit40
  QLineEdit* file_count_;   // RzEdit46
  QLineEdit* output_name_;  // RzEdit41
  QPushButton* save_;       // RzButton69
  QPushButton* start_;      // RzButton70
  OperationRunner runner_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGES_SPLIT_PAGE_H_
