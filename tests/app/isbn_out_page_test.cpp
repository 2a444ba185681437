// The page "从MARC数据中输出ISBN" end to end: its checks and messages, both
// output options, the browse buttons and the record error dialog.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>

#include "app/app_setup.h"
#include "app/idle_flag.h"
#include "app/main_window.h"
#include "gui_test_support.h"
#include "support/test_support.h"

namespace veltrane::app {

class IsbnOutPageTest : public QObject {
  Q_OBJECT

 private:
  struct Page {
    TfrmMain window;
    QLineEdit* marc = nullptr;
    QLineEdit* isbn = nullptr;
    QPushButton* start = nullptr;
    Page() {
      window.show();
      testing::ClickNavigationItem(&window, "从MARC数据中输出ISBN");
      marc = window.findChild<QLineEdit*>("RzEdit18");
      isbn = window.findChild<QLineEdit*>("RzEdit19");
      start = window.findChild<QPushButton*>("RzButton22");
    }
    void Type(QLineEdit* edit, const std::string& text) {
      edit->clear();
      testing::TypeText(edit, QString::fromStdString(text));
    }
    void Start() { QTest::mouseClick(start, Qt::LeftButton); }
  };

  testing::TempDir dir_;

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    SetUpApplication(*qApp);
  }

  void ChecksComeInThePagesOrder() {
    testing::RecordingMessages messages;
    Page page;
    page.Type(page.marc, dir_.Path("missing.iso"));
    page.Start();
    QCOMPARE(messages.shown, QStringList{"information: 请指定MARC文件。"});
    QVERIFY(page.marc->text().isEmpty());

    testing::WriteFile(dir_.Path("in.iso"),
                       testing::BookRecord("1", "7-5006-3772-1"));
    page.Type(page.marc, dir_.Path("in.iso"));
    page.Type(page.isbn, "   ");
    page.Start();
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 请指定ISBN文件"));
    QVERIFY(IsIdle());

    // The MARC file itself as the ISBN file: refused, the file kept.
    const std::string record = testing::ReadFile(dir_.Path("in.iso"));
    page.Type(page.isbn, dir_.Path("in.iso"));
    page.Start();
    QCOMPARE(messages.shown.last(),
             QString::fromStdString("information: 输出文件不能是输入文件：" +
                                    dir_.Path("in.iso")));
    QCOMPARE(testing::ReadFile(dir_.Path("in.iso")), record);
  }

  void WritesTheIsbnListInBothForms() {
    testing::RecordingMessages messages;
    testing::ScriptedFiles files;
    Page page;
    testing::WriteFile(dir_.Path("two.iso"),
                       testing::BookRecord("1", "7-5006-3772-1") + "\r\n" +
                           testing::BookRecord("2", ""));
    files.names = {QString::fromStdString(dir_.Path("two.iso")),
                   QString::fromStdString(dir_.Path("out.txt"))};
    QTest::mouseClick(page.window.findChild<QPushButton*>("RzButton19"),
                      Qt::LeftButton);
    QTest::mouseClick(page.window.findChild<QPushButton*>("RzButton23"),
                      Qt::LeftButton);
    QCOMPARE(page.marc->text(), QString::fromStdString(dir_.Path("two.iso")));
    QCOMPARE(files.asked.at(0).filter,
             QStringLiteral("marc file(*.iso);;text file(*.txt)"));
    QCOMPARE(files.asked.at(1).default_suffix, QStringLiteral("txt"));

    page.Start();
    QCOMPARE(messages.shown.size(), 1);
    QVERIFY(messages.shown.front().endsWith(QStringLiteral("\n\n共2条")));
    QCOMPARE(testing::ReadFile(dir_.Path("out.txt")),
             std::string("7-5006-3772-1\r\n\r\n"));

    page.window.findChild<QRadioButton*>("radIsbn_1")->click();
    page.Start();
    QCOMPARE(testing::ReadFile(dir_.Path("out.txt")),
             std::string("7500637721\r\n\r\n"));
    QVERIFY(page.window.findChild<QWidget*>("prgBar")->isHidden());
    QVERIFY(page.start->isEnabled());
  }

  void RecordErrorDialogAnswersContinueAndCancel() {
    std::string bad = testing::BookRecord("bad", "9-999-99999-9");
    bad.replace(12, 5, "0x049");
    testing::WriteFile(dir_.Path("bad.iso"),
                       testing::BookRecord("1", "7-5006-3772-1") + bad + bad +
                           testing::BookRecord("4", "7-222-33333-3"));
    for (bool go_on : {true, false}) {
      testing::RecordingMessages messages;
      Page page;
      page.Type(page.marc, dir_.Path("bad.iso"));
      page.Type(page.isbn, dir_.Path("bad.txt"));
      testing::RecordErrorAnswerer answerer({go_on, go_on});
      page.Start();
      const QStringList expected =
          go_on ? QStringList{"2", "3"} : QStringList{"2"};
      QCOMPARE(answerer.shown_records, expected);
      QCOMPARE(answerer.shown_files.front(),
               QString::fromStdString(dir_.Path("bad.iso")));
      QCOMPARE(testing::ReadFile(dir_.Path("bad.txt")),
               std::string(go_on ? "7-5006-3772-1\r\n7-222-33333-3\r\n"
                                 : "7-5006-3772-1\r\n"));
      QVERIFY(IsIdle());
    }
  }

  void UnwritableOutputIsReportedAndTheWindowRecovers() {
    testing::RecordingMessages messages;
    Page page;
    testing::WriteFile(dir_.Path("in.iso"),
                       testing::BookRecord("1", "7-5006-3772-1"));
    page.Type(page.marc, dir_.Path("in.iso"));
    page.Type(page.isbn, dir_.Path("no/such/dir/out.txt"));
    page.Start();
    QCOMPARE(messages.shown.size(), 1);
    QVERIFY(messages.shown.front().startsWith("error: "));
    QVERIFY(messages.shown.front().contains("no/such/dir/out.txt"));
    QVERIFY(IsIdle());
    QVERIFY(page.start->isEnabled());
    QVERIFY(page.window.findChild<QWidget*>("prgBar")->isHidden());
  }
};

}  // namespace veltrane::app

QTEST_MAIN(veltrane::app::IsbnOutPageTest)
#include "isbn_out_page_test.moc"
