// The page of a navigation item whose function is not built yet: it says so
// by the item's caption, so that no item shows another item's page.
#ifndef VELTRANE_APP_PAGES_UNAVAILABLE_PAGE_H_
#define VELTRANE_APP_PAGES_UNAVAILABLE_PAGE_H_

#include <QWidget>

namespace veltrane::app {

class UnavailablePage : public QWidget {
  Q_OBJECT
 public:
  explicit UnavailablePage(const QString& caption, QWidget* parent = nullptr);
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGES_UNAVAILABLE_PAGE_H_
