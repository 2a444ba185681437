// What the main window lends its pages: the shared progress bar and the
// purchasing database, which is opened after the pages are made and may be
// missing when its file could not be used.
#ifndef VELTRANE_APP_PAGE_CONTEXT_H_
#define VELTRANE_APP_PAGE_CONTEXT_H_

#include <functional>

class QProgressBar;
class QWidget;

namespace veltrane {
class TMainData;
}

namespace veltrane::app {

struct PageContext {
  QProgressBar* progress_bar = nullptr;
  std::function<TMainData*()> data;

  // The database, or nullptr after telling the user on `page` that it is
  // not available.
  TMainData* RequireData(QWidget* page) const;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGE_CONTEXT_H_
