// veltrane: the desktop program.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/app_setup.h"
#include "app/main_window.h"

int main(int argc, char** argv) {
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
  return application.exec();
}
