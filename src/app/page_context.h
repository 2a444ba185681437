// What the main window lends its pages: the shared progress bar and the
// purchasing database (null when it could not be opened).
#ifndef VELTRANE_APP_PAGE_CONTEXT_H_
#define VELTRANE_APP_PAGE_CONTEXT_H_

class QProgressBar;

namespace veltrane {
class TMainData;
}

namespace veltrane::app {

struct PageContext {
  QProgressBar* progress_bar = nullptr;
  TMainData* data = nullptr;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGE_CONTEXT_H_
