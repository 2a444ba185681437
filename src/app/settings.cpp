#include "app/settings.h"

#include <QSettings>

namespace veltrane::app {
namespace {
constexpr char kInstitutionKey[] = "institution/name";
const QString kLabelLayoutGroup = QStringLiteral("labels/");
}  // namespace

QString InstitutionName() {
  return QSettings().value(kInstitutionKey).toString();
}

void SetInstitutionName(const QString& name) {
  QSettings settings;
  settings.setValue(kInstitutionKey, name.trimmed());
  settings.sync();
}

LabelLayout SavedLabelLayout() {
  QSettings settings;
  LabelLayout layout;
  for (const LabelLayoutSetting& setting : LabelLayoutSettings()) {
    bool ok = false;
    double value =
        settings.value(kLabelLayoutGroup + setting.key).toDouble(&ok);
    if (ok && value >= setting.min && value <= setting.max) {
      setting.value(layout) = value;
    }
  }
  return layout;
}

void SaveLabelLayout(const LabelLayout& layout) {
  QSettings settings;
  LabelLayout copy = layout;
  for (const LabelLayoutSetting& setting : LabelLayoutSettings()) {
    settings.setValue(kLabelLayoutGroup + setting.key, setting.value(copy));
  }
  settings.sync();
}

}  // namespace veltrane::app
