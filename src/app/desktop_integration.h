// Opening MARC files from the desktop: the shared-mime-info type
// application/marc (*.iso, *.mrc, *.marc, recognised also by content), the
// program's .desktop entry and its icon. `cmake --install` and the .deb put
// them under /usr/share; `veltrane --register` writes them for one user.
#ifndef VELTRANE_APP_DESKTOP_INTEGRATION_H_
#define VELTRANE_APP_DESKTOP_INTEGRATION_H_

#include <QString>
#include <QStringList>

namespace veltrane::app {

// Writes the MIME type, a .desktop entry starting `program` and the icon
// under `data_home` (the user's XDG data folder), refreshes the MIME and
// desktop databases there and makes the entry the default for
// application/marc. Nothing stops on a failure; the steps that failed are
// returned, described for a person.
QStringList RegisterDesktopIntegration(const QString& program,
                                       const QString& data_home);

// The user's data folder: $XDG_DATA_HOME, else ~/.local/share.
QString UserDataHome();

}  // namespace veltrane::app

#endif  // VELTRANE_APP_DESKTOP_INTEGRATION_H_
