// A scan field of the on-site page: an edit box into which a barcode scanner
// types a code and Enter, with its red "非法ISBN/ISSN" label. Any key first
// hides the label; Enter on a non-blank text calls the handler.
#ifndef VELTRANE_APP_SCAN_FIELD_H_
#define VELTRANE_APP_SCAN_FIELD_H_

#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QWidget;

namespace veltrane::app {

struct ScanField {
  QLineEdit* edit = nullptr;
  QLabel* invalid = nullptr;
};

// Makes the field `edit_name` with its hidden label `label_name`.
ScanField MakeScanField(const QString& edit_name, const QString& label_name,
                        std::function<void()> on_enter);

// Lets only the digits and Backspace reach `edit`; Enter calls `on_enter`
// and is swallowed too (the quantity field).
void QuantityKeys(QLineEdit* edit, std::function<void()> on_enter);

}  // namespace veltrane::app

#endif  // VELTRANE_APP_SCAN_FIELD_H_
