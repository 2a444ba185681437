// The process-wide idle flag: set while no operation runs. The navigation
// does not change pages while it is clear.
#ifndef VELTRANE_APP_IDLE_FLAG_H_
#define VELTRANE_APP_IDLE_FLAG_H_

namespace veltrane::app {

bool IsIdle();
void SetIdle(bool idle);

// Clears the flag for its lifetime and sets it again on every way out.
class BusyScope {
 public:
  BusyScope() { SetIdle(false); }
  ~BusyScope() { SetIdle(true); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_IDLE_FLAG_H_
