// Key filters of the edit boxes.
//
// NumKeyPress: typed characters other than the digits and "-" are swallowed;
// editing and navigation keys (Backspace, Enter, arrows, ...) pass.
// AddressKeyPress: a field address such as "905f" — while the text has fewer
// than 3 characters a digit or "-", at exactly 3 a letter "a"-"z", then
// nothing; anything may replace a selection.
// FieldListKeyPress: a field list such as "200a,010a" — ",", digits and
// "a"-"z" only.
#ifndef VELTRANE_APP_KEY_FILTERS_H_
#define VELTRANE_APP_KEY_FILTERS_H_

class QLineEdit;
class QWidget;

namespace veltrane::app {

void NumKeyPress(QWidget* edit);
void AddressKeyPress(QLineEdit* edit);
void FieldListKeyPress(QWidget* edit);

}  // namespace veltrane::app

#endif  // VELTRANE_APP_KEY_FILTERS_H_
