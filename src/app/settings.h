// The user's settings that outlive the program (QSettings).
#ifndef VELTRANE_APP_SETTINGS_H_
#define VELTRANE_APP_SETTINGS_H_

#include <QString>

#include "labels/label_layout.h"

namespace veltrane::app {

// The name of the user's library, written into generated 801 $b.
QString InstitutionName();
void SetInstitutionName(const QString& name);

// The label layout the user last chose in the layout dialog; the default
// layout for numbers never saved or out of their range.
LabelLayout SavedLabelLayout();
void SaveLabelLayout(const LabelLayout& layout);

}  // namespace veltrane::app

#endif  // VELTRANE_APP_SETTINGS_H_
