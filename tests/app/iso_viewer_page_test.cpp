// The page "查看ISO文件" end to end: opening, the four steps at both ends,
// files deleted, replaced or empty under the page, a damaged record, the
// jump and the search, and a file named on the command line.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <filesystem>

#include "app/app_setup.h"
#include "app/idle_flag.h"
#include "app/main_window.h"
#include "grid/marc_grid.h"
#include "gui_test_support.h"
#include "support/test_support.h"

namespace veltrane::app {

class IsoViewerPageTest : public QObject {
  Q_OBJECT

 private:
  struct Page {
    TfrmMain window;
    QLineEdit* file = nullptr;
    QLabel* label = nullptr;
    grid::TMarcGrid* grid = nullptr;
    Page() {
      window.show();
      testing::ClickNavigationItem(&window, "查看ISO文件");
      file = testing::Find<QLineEdit>(&window, "RzEdit45");
      label = testing::Find<QLabel>(&window, "RzLabel74");
      grid = testing::Find<grid::TMarcGrid>(&window, "MarcGrid1");
    }
    void Click(const char* button) {
      QTest::mouseClick(testing::Find<QPushButton>(&window, button),
                        Qt::LeftButton);
    }
    // The 001 of the record shown.
    QString Shown() const {
      for (int row = 0; row < grid->RowCount(); ++row) {
        if (grid->Cell(row, 1) == "001") return grid->Cell(row, 3);
      }
      return {};
    }
    void Open(const std::string& path) {
      testing::ScriptedFiles files;
      files.names = {QString::fromStdString(path)};
      Click("RzButton64");
    }
  };

  std::string Records(int count, const std::string& prefix = "r") {
    std::string bytes;
    for (int i = 1; i <= count; ++i) {
      bytes += testing::BookRecord(prefix + std::to_string(i), "") + "\r\n";
    }
    return bytes;
  }

  testing::TempDir dir_;

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    SetUpApplication(*qApp);
  }

  void StepsStopAtBothEnds() {
    testing::WriteFile(dir_.Path("three.iso"), Records(3));
    Page page;
    page.Open(dir_.Path("three.iso"));
    QCOMPARE(page.file->text(), QString::fromStdString(dir_.Path("three.iso")));
    QCOMPARE(page.label->text(), "记录：1/3");
    QCOMPARE(page.Shown(), "r1");
    QCOMPARE(page.grid->RowCount(), 3);

    page.Click("RzButton66");  // " << 前条" on record 1 shows it again
    QCOMPARE(page.label->text(), "记录：1/3");
    QCOMPARE(page.Shown(), "r1");
    for (int i = 0; i < 3; ++i) page.Click("RzButton67");
    QCOMPARE(page.label->text(), "记录：3/3");
    QCOMPARE(page.Shown(), "r3");
    page.Click("RzButton65");
    QCOMPARE(page.Shown(), "r1");
    page.Click("RzButton74");
    QCOMPARE(page.label->text(), "记录：3/3");
    QCOMPARE(page.Shown(), "r3");
    QVERIFY(IsIdle());
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(testing::Find<QWidget>(&page.window, "prgBar")->isHidden());
  }

  void FilesChangedUnderThePage() {
    const std::string path = dir_.Path("changing.iso");
    testing::WriteFile(path, Records(3));
    Page page;
    page.Open(path);

    // Replaced by other records: read from the start, old total kept.
    testing::WriteFile(path, Records(5, "new"));
    page.Click("RzButton67");
    QCOMPARE(page.label->text(), "记录：2/3");
    QCOMPARE(page.Shown(), "new2");

    // Deleted: the steps do nothing.
    std::filesystem::remove(path);
    page.Click("RzButton74");
    QCOMPARE(page.label->text(), "记录：2/3");
    QCOMPARE(page.Shown(), "new2");

    // Another name typed in: that file, with the old total.
    testing::WriteFile(dir_.Path("other.iso"), Records(4, "o"));
    page.file->setText(QString::fromStdString(dir_.Path("other.iso")));
    page.Click("RzButton74");
    QCOMPARE(page.label->text(), "记录：3/3");
    QCOMPARE(page.Shown(), "o3");

    // A file without records: 1/0, the grid keeps what it showed.
    testing::WriteFile(dir_.Path("empty.iso"), "not a record\r\n");
    page.Open(dir_.Path("empty.iso"));
    QCOMPARE(page.label->text(), "记录：1/0");
    QCOMPARE(page.Shown(), "o3");
    page.Click("RzButton67");
    QCOMPARE(page.label->text(), "记录：1/0");
  }

  void ADamagedRecordIsReportedEitherWay() {
    std::string bad = testing::BookRecord("bad", "");
    bad.replace(12, 5, "0x049");
    testing::WriteFile(dir_.Path("bad.iso"),
                       Records(1) + bad + testing::BookRecord("r3", ""));
    for (bool go_on : {true, false}) {
      Page page;
      page.Open(dir_.Path("bad.iso"));
      QCOMPARE(page.label->text(), "记录：1/3");
      testing::RecordErrorAnswerer answerer({go_on});
      page.Click("RzButton67");
      QCOMPARE(answerer.shown_records, QStringList{"2"});
      QCOMPARE(page.label->text(), "记录：2/3");
      QCOMPARE(page.grid->RowCount(), 1);
      QVERIFY(page.grid->Cell(0, 3).isEmpty());
      QVERIFY(IsIdle());
      page.Click("RzButton67");
      QCOMPARE(page.Shown(), "r3");
    }
  }

  void JumpAndSearch() {
    testing::WriteFile(dir_.Path("many.iso"), Records(12));
    testing::RecordingMessages messages;
    Page page;
    page.Open(dir_.Path("many.iso"));
    auto* go_to = testing::Find<QLineEdit>(&page.window, "edtGoTo");
    go_to->setText("9");
    page.Click("btnGoTo");
    QCOMPARE(page.label->text(), "记录：9/12");
    QCOMPARE(page.Shown(), "r9");
    go_to->setText("13");
    page.Click("btnGoTo");
    QCOMPARE(messages.shown, QStringList{"information: 请输入1到12之间的记录号。"});
    QCOMPARE(page.label->text(), "记录：9/12");

    auto* find = testing::Find<QLineEdit>(&page.window, "edtFind");
    find->setText("TITLE R1");  // finds "Title r10", after record 9
    page.Click("btnFind");
    QCOMPARE(page.label->text(), "记录：10/12");
    page.Click("btnFind");
    QCOMPARE(page.Shown(), "r11");
    page.Click("btnFind");
    QCOMPARE(page.Shown(), "r12");
    page.Click("btnFind");
    QCOMPARE(messages.shown.last(),
             "information: 第12条之后没有找到“TITLE R1”。");
    QCOMPARE(page.label->text(), "记录：12/12");
    QVERIFY(testing::Find<QWidget>(&page.window, "btnStopFind")->isHidden());
  }

  void FileNamedOnTheCommandLine() {
    std::filesystem::create_directories(dir_.Path("my books"));
    const std::string path = dir_.Path("my books/new  list.iso");
    testing::WriteFile(path, Records(2));
    TfrmMain window;
    window.show();
    // The desktop split the unquoted name at its blanks.
    QStringList pieces = QString::fromStdString(path).split(' ');
    pieces.last() += "  ";
    window.RunStartupSteps(pieces);
    QCOMPARE(window.CurrentPage(), "查看ISO文件");
    auto* label = testing::Find<QLabel>(&window, "RzLabel74");
    QCOMPARE(label->text(), "记录：1/2");
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(IsIdle());
    QTest::mouseClick(testing::Find<QPushButton>(&window, "RzButton67"),
                      Qt::LeftButton);
    QCOMPARE(label->text(), "记录：2/2");
  }

  void MissingFileOnTheCommandLine() {
    TfrmMain window;
    window.show();
    window.RunStartupSteps({QString::fromStdString(dir_.Path("gone.iso"))});
    QCOMPARE(window.CurrentPage(), "查看ISO文件");
    QCOMPARE(testing::Find<QLabel>(&window, "RzLabel74")->text(), "记录：1/0");
    auto* grid = testing::Find<grid::TMarcGrid>(&window, "MarcGrid1");
    QCOMPARE(grid->RowCount(), 1);
    QVERIFY(grid->Cell(0, 3).isEmpty());
  }
};

}  // namespace veltrane::app

QTEST_MAIN(veltrane::app::IsoViewerPageTest)
#include "iso_viewer_page_test.moc"
