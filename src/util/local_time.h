// The local date and time as text.
#ifndef VELTRANE_UTIL_LOCAL_TIME_H_
#define VELTRANE_UTIL_LOCAL_TIME_H_

#include <string>

namespace veltrane {

// Now, as "yyyy-mm-dd hh:mm:ss".
std::string LocalDateTimeText();

}  // namespace veltrane

#endif  // VELTRANE_UTIL_LOCAL_TIME_H_
