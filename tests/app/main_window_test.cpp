// The main window driven as a user would: navigation, the idle flag, the
// help page, the database at start and the institution name.
#include "app/main_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>
#include <filesystem>

#include "app/app_setup.h"
#include "app/idle_flag.h"
#include "app/messages.h"
#include "app/page_table.h"
#include "app/settings.h"
#include "gui_test_support.h"
#include "support/test_support.h"

namespace veltrane::app {

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    SetUpApplication(*qApp);
  }

  void CaptionAndNavigationItemsInOrder() {
    TfrmMain window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Veltrane V3.2"));
    QCOMPARE(window.CurrentPage(), QStringLiteral("首页"));
    auto* bar = window.findChild<QTreeWidget*>("RzGroupBar1");
    QVERIFY(bar);
    QStringList groups, items;
    for (int g = 0; g < bar->topLevelItemCount(); ++g) {
      groups << bar->topLevelItem(g)->text(0);
      for (int i = 0; i < bar->topLevelItem(g)->childCount(); ++i) {
        items << bar->topLevelItem(g)->child(i)->text(0);
      }
    }
    QCOMPARE(groups, (QStringList{"现场采购", "双方数据自动查重(批查重)",
                                  "常用数据处理", "系统"}));
    QCOMPARE(items.size(), 20);
    QCOMPARE(items.first(), QStringLiteral("导入采购方MARC数据"));
    QCOMPARE(items[7], QStringLiteral("从MARC数据中输出ISBN"));
    QCOMPARE(items.last(), QStringLiteral("退出(Exit)"));
    QVERIFY(window.findChild<QWidget*>("prgBar")->isHidden());
  }

  void NavigationFollowsTheIdleFlag() {
    TfrmMain window;
    window.show();
    auto* bar = window.findChild<QTreeWidget*>("RzGroupBar1");

    testing::ClickNavigationItem(&window, "从MARC数据中输出ISBN");
    QCOMPARE(window.CurrentPage(), QStringLiteral("从MARC数据中输出ISBN"));

    SetIdle(false);  // as while an operation runs
    testing::ClickNavigationItem(&window, "数据去重");
    QCOMPARE(window.CurrentPage(), QStringLiteral("从MARC数据中输出ISBN"));
    QCOMPARE(bar->selectedItems().size(), 1);
    QCOMPARE(bar->selectedItems().front()->text(0), QStringLiteral("数据去重"));
    SetIdle(true);

    testing::ClickNavigationItem(&window, "首页");
    QCOMPARE(window.CurrentPage(), QStringLiteral("首页"));
  }

  void EveryItemShowsItsOwnPage() {
    TfrmMain window;
    window.show();
    auto* notebook = window.findChild<QStackedWidget*>("Notebook1");
    for (const PageRow& row : PageTable()) {
      testing::ClickNavigationItem(&window, row.caption);
      QCOMPARE(window.CurrentPage(), row.caption);
      auto* unavailable =
          notebook->currentWidget()->findChild<QLabel*>("lblUnavailable");
      QCOMPARE(unavailable != nullptr, !row.make);
      if (unavailable) QVERIFY(unavailable->text().contains(row.caption));
    }
  }

  void HelpPageShowsTheDocumentFromItsBeginningEveryTime() {
    TfrmMain window;
    window.show();
    testing::ClickNavigationItem(&window, "CNMARC说明");
    QCOMPARE(window.CurrentPage(), QStringLiteral("CNMARC说明"));
    auto* browser = window.findChild<QTextBrowser*>("WebBrowser1");
    QVERIFY(browser->toPlainText().contains("CNMARC"));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("头标区")));
    QVERIFY(browser->toPlainText().size() > 10000);
    QScrollBar* scroll = browser->verticalScrollBar();
    scroll->setValue(scroll->maximum());
    QVERIFY(scroll->value() > 0);
    testing::ClickNavigationItem(&window, "首页");
    testing::ClickNavigationItem(&window, "CNMARC说明");
    QCOMPARE(scroll->value(), 0);
  }

  void ExitItemClosesTheWindowUnlessAnOperationRuns() {
    TfrmMain window;
    window.show();
    SetIdle(false);  // an operation runs: its page must stay
    testing::ClickNavigationItem(&window, "退出(E&xit)");
    QVERIFY(window.isVisible());
    SetIdle(true);
    testing::ClickNavigationItem(&window, "退出(E&xit)");
    QVERIFY(!window.isVisible());
  }

  void StandardButtonsSpeakChinese() {
    QMessageBox box(QMessageBox::Question, kMessageTitle, "?",
                    QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.button(QMessageBox::Yes)->text().remove('&'),
             QStringLiteral("是(Y)"));
    QCOMPARE(box.button(QMessageBox::No)->text().remove('&'),
             QStringLiteral("否(N)"));
  }

  void DatabaseIsCreatedOrReportedByName() {
    testing::TempDir dir;
    testing::RecordingMessages messages;
    TfrmMain window;
    std::string good = dir.Path("veldata.db");
    window.OpenDatabase(good);
    QVERIFY(window.Data());
    QVERIFY(std::filesystem::exists(good));
    QVERIFY(messages.shown.isEmpty());

    std::string bad = dir.Path("not-a-database.db");
    testing::WriteFile(bad, std::string(4096, 'x'));
    TfrmMain second;
    second.OpenDatabase(bad);
    QVERIFY(!second.Data());
    QCOMPARE(messages.shown.size(), 1);
    QVERIFY(messages.shown.front().startsWith("error: "));
    QVERIFY(messages.shown.front().contains("not-a-database.db"));
  }

  void InstitutionNameIsSavedFromTheHomePage() {
    testing::RecordingMessages messages;
    TfrmMain window;
    window.show();
    auto* edit = window.findChild<QLineEdit*>("edtInstitution");
    edit->clear();
    testing::TypeText(edit, QStringLiteral("  示范大学图书馆 "));
    QTest::mouseClick(window.findChild<QPushButton*>("btnInstitution"),
                      Qt::LeftButton);
    QCOMPARE(InstitutionName(), QStringLiteral("示范大学图书馆"));
    TfrmMain again;
    QCOMPARE(again.findChild<QLineEdit*>("edtInstitution")->text(),
             QStringLiteral("示范大学图书馆"));
  }
};

}  // namespace veltrane::app

QTEST_MAIN(veltrane::app::MainWindowTest)
#include "main_window_test.moc"
