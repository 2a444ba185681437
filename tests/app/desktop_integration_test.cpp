// `veltrane --register` for one user: the files it writes, the quoted
// program in the .desktop entry, and what the desktop's MIME lookup then
// says about a MARC file named .iso and about a disc image.
#include "app/desktop_integration.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include "support/test_support.h"

namespace veltrane::app {

class DesktopIntegrationTest : public QObject {
  Q_OBJECT

  static QString Output(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
  }

 private slots:
  void RegistersTheTypeAndTheProgram() {
    testing::TempDir dir;
    const QString home = QString::fromStdString(dir.Path("data"));
    qputenv("XDG_DATA_HOME", home.toUtf8());
    qputenv("XDG_CONFIG_HOME", dir.Path("config").c_str());
    qputenv("XDG_CURRENT_DESKTOP", "GNOME");  // xdg-mime asks gio

    const QStringList failed =
        RegisterDesktopIntegration("/opt/my apps/veltrane", home);
    for (const char* path :
         {"/mime/packages/veltrane-marc.xml", "/icons/hicolor/scalable/apps/veltrane.svg"}) {
      QVERIFY2(QFile::exists(home + path), path);
    }
    QFile entry(home + "/applications/veltrane.desktop");
    QVERIFY(entry.open(QIODevice::ReadOnly));
    QVERIFY(entry.readAll().contains(
        "\nExec=\"/opt/my apps/veltrane\" %f\n"));

    if (QStandardPaths::findExecutable("update-mime-database").isEmpty() ||
        QStandardPaths::findExecutable("xdg-mime").isEmpty() ||
        QStandardPaths::findExecutable("gio").isEmpty()) {
      QSKIP("the desktop's MIME tools are not installed");
    }
    QCOMPARE(failed, QStringList());
    testing::WriteFile(dir.Path("books.iso"),
                       testing::BookRecord("1", "7-5006-3772-1"));
    testing::WriteFile(dir.Path("disc.iso"), std::string(40000, '\0'));
    QCOMPARE(Output("xdg-mime", {"query", "filetype",
                                 QString::fromStdString(dir.Path("books.iso"))}),
             "application/marc");
    QCOMPARE(Output("xdg-mime", {"query", "filetype",
                                 QString::fromStdString(dir.Path("disc.iso"))}),
             "application/x-cd-image");
    QCOMPARE(Output("xdg-mime", {"query", "default", "application/marc"}),
             "veltrane.desktop");
  }
};

}  // namespace veltrane::app

QTEST_MAIN(veltrane::app::DesktopIntegrationTest)
#include "desktop_integration_test.moc"
