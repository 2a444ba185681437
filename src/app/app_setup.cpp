#include "app/app_setup.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdlib>

#include "app/idle_flag.h"

namespace veltrane::app {

bool HasDisplay() {
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

void SetUpApplication(QApplication& application) {
  QApplication::setOrganizationName(QStringLiteral("Veltrane"));
  QApplication::setApplicationName(QStringLiteral("Veltrane"));
  QFont font = application.font();
  font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                    QStringLiteral("Noto Sans CJK SC"),
                    QStringLiteral("WenQuanYi Micro Hei")});
  font.setPixelSize(13);
  application.setFont(font);
  application.setEffectEnabled(Qt::UI_AnimateTooltip, false);
  // Qt's own texts (file dialogs, the buttons of message boxes) in Chinese.
  auto* translator = new QTranslator(&application);
  if (translator->load(QLocale(QLocale::Chinese, QLocale::China), "qtbase",
                       "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(translator);
  }
  SetIdle(true);
}

}  // namespace veltrane::app
