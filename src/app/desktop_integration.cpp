#include "app/desktop_integration.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <algorithm>

namespace veltrane::app {
namespace {

constexpr int kToolTimeoutMs = 30000;

QByteArray Resource(const QString& name) {
  QFile file(":/desktop/" + name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The Exec line's program, quoted as desktop entries require when needed.
QByteArray ExecProgram(const QString& program) {
  QString quoted = program;
  static const QString kReserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
  if (std::any_of(program.begin(), program.end(),
                  [](QChar c) { return kReserved.contains(c); })) {
    quoted.replace('\\', "\\\\").replace('"', "\\\"").replace('`', "\\`")
        .replace('$', "\\$");
    quoted = '"' + quoted + '"';
  }
  return quoted.toUtf8();
}

bool Write(const QString& path, const QByteArray& bytes) {
  if (!QDir().mkpath(QFileInfo(path).path())) return false;
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
         file.commit();
}

bool Run(const QString& tool, const QStringList& arguments) {
  QProcess process;
  process.start(tool, arguments);
  return process.waitForFinished(kToolTimeoutMs) &&
         process.exitStatus() == QProcess::NormalExit &&
         process.exitCode() == 0;
}

}  // namespace

QString UserDataHome() {
  QString home = qEnvironmentVariable("XDG_DATA_HOME");
  return home.isEmpty() ? QDir::homePath() + "/.local/share" : home;
}

QStringList RegisterDesktopIntegration(const QString& program,
                                       const QString& data_home) {
  QStringList failed;
  QByteArray entry = Resource("veltrane.desktop");
  entry.replace("Exec=veltrane ", "Exec=" + ExecProgram(program) + " ");
  const struct {
    QString path;
    QByteArray bytes;
  } files[] = {
      {data_home + "/mime/packages/veltrane-marc.xml",
       Resource("veltrane-marc.xml")},
      {data_home + "/applications/veltrane.desktop", entry},
      {data_home + "/icons/hicolor/scalable/apps/veltrane.svg",
       Resource("veltrane.svg")},
  };
  for (const auto& file : files) {
    if (!Write(file.path, file.bytes)) failed << "无法写入 " + file.path;
  }
  const struct {
    QString tool;
    QStringList arguments;
  } steps[] = {
      {"update-mime-database", {data_home + "/mime"}},
      {"update-desktop-database", {data_home + "/applications"}},
      {"xdg-mime", {"default", "veltrane.desktop", "application/marc"}},
  };
  for (const auto& step : steps) {
    if (!Run(step.tool, step.arguments)) {
      failed << step.tool + " " + step.arguments.join(' ') + " 未成功";
    }
  }
  return failed;
}

}  // namespace veltrane::app
