// "首页": the greeting, the program's title, a picture, and the place where
// the user names the library (the institution name setting).
#ifndef VELTRANE_APP_PAGES_HOME_PAGE_H_
#define VELTRANE_APP_PAGES_HOME_PAGE_H_

#include <QWidget>

class QLineEdit;

namespace veltrane::app {

class HomePage : public QWidget {
  Q_OBJECT
 public:
  explicit HomePage(QWidget* parent = nullptr);

 signals:
  void institutionChanged(const QString& name);

 private:
  QLineEdit* institution_;  // edtInstitution
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGES_HOME_PAGE_H_
