// The page "合并ISO文件": joins the listed files into one, in list order,
// line by line.
#ifndef VELTRANE_APP_PAGES_MERGE_PAGE_H_
#define VELTRANE_APP_PAGES_MERGE_PAGE_H_

#include <QWidget>

#include "app/operation_runner.h"
#include "app/page_context.h"

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace veltrane::app {

class MergePage : public QWidget {
  Q_OBJECT
 public:
  explicit MergePage(const PageContext& context, QWidget* parent = nullptr);

 private:
  void RzButton75Click();
  void RzButton78Click();
  void RzButton76Click();

  QTreeWidget* files_;      // RzListView1
  QLineEdit* output_file_;  // RzEdit48
  QPushButton* start_;      // RzButton76
  OperationRunner runner_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGES_MERGE_PAGE_H_
