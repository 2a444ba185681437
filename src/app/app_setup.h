// Application-wide set-up shared by the program and its GUI tests.
#ifndef VELTRANE_APP_APP_SETUP_H_
#define VELTRANE_APP_APP_SETUP_H_

class QApplication;

namespace veltrane::app {

// True when a display is available (or a Qt platform was chosen explicitly).
bool HasDisplay();

// Names the application for its settings, sets the window font ("宋体" and
// its stand-ins, 13 pixels) and long-lived hints, Qt's own Chinese texts for
// the standard dialogs and buttons (qt6-translations-l10n), and the idle
// flag.
void SetUpApplication(QApplication& application);

}  // namespace veltrane::app

#endif  // VELTRANE_APP_APP_SETUP_H_
