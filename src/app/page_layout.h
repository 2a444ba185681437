// Building blocks that recur on the operation pages: a labelled file-name
// row with its dialog button, the "功能说明：" help memo and the start button.
#ifndef VELTRANE_APP_PAGE_LAYOUT_H_
#define VELTRANE_APP_PAGE_LAYOUT_H_

#include <QString>

#include "app/file_dialogs.h"

class QGridLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace veltrane::app {

// Adds, at `row` of `grid`: the label (none when empty: the edit box takes
// its column too), the edit box `edit_name` and the button `button_name`
// ("浏览...", "另存...") that fills it from the dialog.
QLineEdit* AddFileRow(QGridLayout* grid, int row, const QString& label,
                      const QString& edit_name, const QString& button_name,
                      const QString& button_caption,
                      const FileDialogSpec& spec);

// The group "功能说明：" holding the read-only memo `memo_name`; it does not
// grow, so a page puts its stretch above it.
QGroupBox* MakeHelpBox(const QString& memo_name, const QString& text);

// A push button named `name`.
QPushButton* MakeButton(const QString& name, const QString& caption);

// A start button such as "开  始".
QPushButton* MakeStartButton(const QString& name, const QString& caption);

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGE_LAYOUT_H_
