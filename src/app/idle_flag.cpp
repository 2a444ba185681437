#include "app/idle_flag.h"

namespace veltrane::app {
namespace {
bool idle = true;
}  // namespace

bool IsIdle() { return idle; }
void SetIdle(bool value) { idle = value; }

}  // namespace veltrane::app
