// The user's settings that outlive the program (QSettings).
#ifndef VELTRANE_APP_SETTINGS_H_
#define VELTRANE_APP_SETTINGS_H_

#include <QString>

namespace veltrane::app {

// The name of the user's library, written into generated 801 $b.
QString InstitutionName();
void SetInstitutionName(const QString& name);

}  // namespace veltrane::app

#endif  // VELTRANE_APP_SETTINGS_H_
