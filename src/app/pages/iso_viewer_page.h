// The page "查看ISO文件": the records of an ISO 2709 file one at a time in
// the MARC grid, with first / previous / next / last, a jump to a record
// number and a search for the next record holding a text (an ISBN, a title).
// The file is counted once when opened; its record offsets make every later
// step immediate. When the edit box names another file than the one counted
// (or the file changed), steps read that file from its start with the old
// total, and do nothing when it does not exist.
#ifndef VELTRANE_APP_PAGES_ISO_VIEWER_PAGE_H_
#define VELTRANE_APP_PAGES_ISO_VIEWER_PAGE_H_

#include <QWidget>
#include <cstdint>
#include <functional>

#include "app/operation_runner.h"
#include "app/page_context.h"
#include "ops/iso_file_index.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace veltrane::grid {
class TMarcGrid;
}

namespace veltrane::app {

class IsoViewerPage : public QWidget {
  Q_OBJECT
 public:
  explicit IsoViewerPage(const PageContext& context, QWidget* parent = nullptr);

  // Puts `file_name` into the edit box, counts the file and shows record 1.
  void OpenFile(const QString& file_name);

  int64_t Total() const { return total_; }
  int64_t Current() const { return current_; }

 private:
  void RzButton64Click();  // 浏览...
  // Shows record `to(Current)`, clamped to 1..Total.
  void Navigate(const std::function<int64_t(int64_t)>& to);
  void GoToClick();
  void FindClick();
  void ShowCurrent(OperationHost& host);
  void UpdateLabel();
  std::string FileName() const;

  QLineEdit* file_;             // RzEdit45
  QLabel* position_;            // RzLabel74
  grid::TMarcGrid* grid_;       // MarcGrid1
  QLineEdit* go_to_;            // edtGoTo
  QLineEdit* find_;             // edtFind
  QPushButton* stop_find_;      // btnStopFind
  OperationRunner runner_;
  IsoFileIndex index_;
  int64_t total_ = 0;
  int64_t current_ = 0;
  bool busy_ = false;
  bool stop_requested_ = false;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGES_ISO_VIEWER_PAGE_H_
