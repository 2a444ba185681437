// NumKeyPress: the key filter of the numeric edit boxes. Typed characters
// other than the digits and "-" are swallowed; editing and navigation keys
// (backspace, Enter, arrows, ...) pass.
#ifndef VELTRANE_APP_NUM_KEY_PRESS_H_
#define VELTRANE_APP_NUM_KEY_PRESS_H_

class QWidget;

namespace veltrane::app {

void NumKeyPress(QWidget* edit);

}  // namespace veltrane::app

#endif  // VELTRANE_APP_NUM_KEY_PRESS_H_
