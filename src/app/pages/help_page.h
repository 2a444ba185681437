// "CNMARC说明": the built-in CNMARC tutorial in a read-only HTML view
// (WebBrowser1), loaded afresh and shown from its beginning at every visit.
#ifndef VELTRANE_APP_PAGES_HELP_PAGE_H_
#define VELTRANE_APP_PAGES_HELP_PAGE_H_

#include <QWidget>

class QTextBrowser;

namespace veltrane::app {

class HelpPage : public QWidget {
  Q_OBJECT
 public:
  explicit HelpPage(QWidget* parent = nullptr);
  void Load();

 private:
  QTextBrowser* browser_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGES_HELP_PAGE_H_
