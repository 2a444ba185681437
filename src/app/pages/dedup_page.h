// The page "数据去重": removes repeated records from a MARC file (by a
// duplicate rule) and repeated lines from an ISBN file, appending the first
// occurrences to a result file.
#ifndef VELTRANE_APP_PAGES_DEDUP_PAGE_H_
#define VELTRANE_APP_PAGES_DEDUP_PAGE_H_

#include <QWidget>
#include <vector>

#include "app/operation_runner.h"
#include "app/page_context.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace veltrane::app {

class RadioGroup;

class DedupPage : public QWidget {
  Q_OBJECT
 public:
  explicit DedupPage(const PageContext& context, QWidget* parent = nullptr);

 private:
  QWidget* MakeMarcHalf();
  QWidget* MakeIsbnHalf();
  void RzRadioGroup4Click(int item);
  void RzButton55Click();
  void RzButton54Click();

  QLineEdit* marc_file_;                  // RzEdit32
  QLineEdit* marc_result_;                // RzEdit33
  RadioGroup* rule_;                      // RzRadioGroup4
  QLineEdit* fields_;                     // RzEdit36
  QSpinBox* threshold_;                   // RzSpinEdit2
  QCheckBox* isbn_keys_;                  // chkConvISBN12
  QLineEdit* isbn_file_;                  // RzEdit35
  QLineEdit* isbn_result_;                // RzEdit34
  std::vector<QWidget*> field_controls_;  // enabled under rule 1 only
  QPushButton* marc_start_;               // RzButton55
  QPushButton* isbn_start_;               // RzButton54
  OperationRunner marc_runner_;
  OperationRunner isbn_runner_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGES_DEDUP_PAGE_H_
