// veltrane: the desktop program. `veltrane FILE` shows FILE in the record
// viewer; `veltrane --register` associates MARC files with the program for
// the user who runs it.
#include <QApplication>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/app_setup.h"
#include "app/desktop_integration.h"
#include "app/main_window.h"

namespace {

int Register(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  const QStringList failed = veltrane::app::RegisterDesktopIntegration(
      QCoreApplication::applicationFilePath(),
      veltrane::app::UserDataHome());
  QTextStream err(stderr);
  for (const QString& step : failed) err << step << '\n';
  return failed.isEmpty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--register") == 0) {
    return Register(argc, argv);
  }
  if (!veltrane::app::HasDisplay()) {
    std::fputs(
        "veltrane 是图形界面程序，但这里没有显示器（DISPLAY 和 WAYLAND_DISPLAY "
        "都未设置）。\n"
        "veltrane needs a display: neither DISPLAY nor WAYLAND_DISPLAY is "
        "set.\n"
        "在虚拟显示中运行：xvfb-run build/src/app/veltrane；"
        "批处理请用 veltrane-cli。\n",
        stderr);
    return 1;
  }
  QApplication application(argc, argv);
  veltrane::app::SetUpApplication(application);
  veltrane::app::TfrmMain window;
  window.show();
  window.OpenDatabase("veldata.db");
  window.RunStartupSteps(QApplication::arguments().mid(1));
  return application.exec();
}
