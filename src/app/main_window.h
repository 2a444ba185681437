// TfrmMain: the main window. The navigation bar on the left, one page per
// navigation item on the right (both from PageTable()), the status bar with
// the shared progress bar below.
// Navigation changes the page only while no operation runs (idle flag); the
// clicked item is always the one highlighted.
#ifndef VELTRANE_APP_MAIN_WINDOW_H_
#define VELTRANE_APP_MAIN_WINDOW_H_

#include <QMainWindow>
#include <QStringList>
#include <map>
#include <memory>
#include <string>

#include "app/page_context.h"

class QLabel;
class QProgressBar;
class QStackedWidget;

namespace veltrane {
class TMainData;
}

namespace veltrane::app {

class NavigationBar;
struct PageRow;

class TfrmMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit TfrmMain(QWidget* parent = nullptr);
  ~TfrmMain() override;

  // Opens (creating when missing) the purchasing database. A file that
  // cannot be used is reported by name; the program goes on without it.
  void OpenDatabase(const std::string& path);
  TMainData* Data() const { return data_.get(); }

  // A click on the navigation item `caption`.
  void EnterOperator(const QString& caption);
  void ExitSystem();

  // The start-up steps, run once the window is shown: a file named by the
  // program's arguments (joined with single blanks and trimmed, which puts
  // back together a name with blanks split by the desktop) is shown in the
  // page "查看ISO文件".
  void RunStartupSteps(const QStringList& arguments);

  // The caption of the page shown.
  QString CurrentPage() const;

 protected:
  // While an operation runs the window stays open: the operation's page
  // must outlive it.
  void closeEvent(QCloseEvent* event) override;

 private:
  void AddPage(const PageRow& row, const PageContext& context);

  NavigationBar* navigation_;   // RzGroupBar1
  QStackedWidget* notebook_;    // Notebook1
  QProgressBar* progress_bar_;  // prgBar
  QLabel* institution_panel_;
  struct Page {
    QWidget* widget;
    const PageRow* row;
  };
  std::map<QString, Page> pages_;
  std::unique_ptr<TMainData> data_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_MAIN_WINDOW_H_
