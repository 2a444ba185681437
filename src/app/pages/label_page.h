// The page "书标打印": loads the spine-label list of a MARC file (per copy,
// with split or regenerated accession numbers), shows it in a grid that
// sorts by a click on a column title, and opens the label print preview.
#ifndef VELTRANE_APP_PAGES_LABEL_PAGE_H_
#define VELTRANE_APP_PAGES_LABEL_PAGE_H_

#include <QWidget>

#include "app/operation_runner.h"
#include "app/page_context.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace veltrane::app {

class LabelListModel;

class LabelPage : public QWidget {
  Q_OBJECT
 public:
  explicit LabelPage(const PageContext& context, QWidget* parent = nullptr);

 private:
  void RzButton80Click();
  void Load();
  void CheckBox1Click();
  void CheckBox4Click();
  void CheckBox2Click();
  // An option changed: the list must be loaded again.
  void ForgetList();
  void btnPrint905Click();

  QLineEdit* file_;      // RzEdit47
  QPushButton* browse_;  // RzButton80
  QLabel* status_;       // Label1
  QCheckBox* per_copy_;  // CheckBox1
  QLabel* example_;      // Label2
  QCheckBox* split_;     // CheckBox4
  QCheckBox* renumber_;  // CheckBox2
  QLabel* start_label_;  // RzLabel77
  QLineEdit* start_;     // edt905Start
  QTableView* grid_;     // DBGrid3
  LabelListModel* model_;
  QPushButton* print_;  // btnPrint905
  OperationRunner runner_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGES_LABEL_PAGE_H_
