#include "app/settings.h"

#include <QSettings>

namespace veltrane::app {
namespace {
constexpr char kInstitutionKey[] = "institution/name";
}  // namespace

QString InstitutionName() {
  return QSettings().value(kInstitutionKey).toString();
}

void SetInstitutionName(const QString& name) {
  QSettings settings;
  settings.setValue(kInstitutionKey, name.trimmed());
  settings.sync();
}

}  // namespace veltrane::app
