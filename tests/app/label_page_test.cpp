// The page "书标打印": its option rules, loading through the browse button,
// sorting by the column titles, and the print preview with its layout
// dialog and PDF export.
#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "app/app_setup.h"
#include "app/label_layout_dialog.h"
#include "app/label_preview.h"
#include "app/main_window.h"
#include "app/settings.h"
#include "gui_test_support.h"
#include "support/pdf_text.h"
#include "support/test_support.h"
#include "util/encoding.h"

namespace veltrane::app {

using testing::Find;

// A book with 200 $a `title` and a 905 of `holdings` ("$b...$f...").
std::string Book(const std::string& title, const std::string& holdings) {
  return testing::IsoRecord(
      {{"200", "1 $a" + Utf8ToGbk(title)}, {"905", "  " + holdings}});
}

class LabelPageTest : public QObject {
  Q_OBJECT

 private:
  struct Page {
    TfrmMain window;
    QCheckBox* per_copy;
    QCheckBox* split;
    QCheckBox* renumber;
    QLineEdit* file;
    QLineEdit* start;
    QLabel* status;
    QTableView* grid;
    Page() {
      window.show();
      testing::ClickNavigationItem(&window, "书标打印");
      per_copy = Find<QCheckBox>(&window, "CheckBox1");
      split = Find<QCheckBox>(&window, "CheckBox4");
      renumber = Find<QCheckBox>(&window, "CheckBox2");
      file = Find<QLineEdit>(&window, "RzEdit47");
      start = Find<QLineEdit>(&window, "edt905Start");
      status = Find<QLabel>(&window, "Label1");
      grid = Find<QTableView>(&window, "DBGrid3");
    }
    // Chooses `path` with "浏览...", which loads it at once; nullopt
    // cancels the dialog.
    void Load(const std::optional<std::string>& path) {
      testing::ScriptedFiles files;
      files.names = {path ? QString::fromStdString(*path) : QString()};
      QTest::mouseClick(Find<QPushButton>(&window, "RzButton80"),
                        Qt::LeftButton);
    }
    int Rows() const { return grid->model()->rowCount(); }
    QString Cell(int row, int column) const {
      return grid->model()->index(row, column).data().toString();
    }
    QString Title(int column) const {
      return grid->model()->headerData(column, Qt::Horizontal).toString();
    }
    void ClickTitle(int column) {
      emit grid->horizontalHeader()->sectionClicked(column);
    }
  };

  testing::TempDir dir_;

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    SetUpApplication(*qApp);
    QSettings().clear();
    testing::WriteFile(
        dir_.Path("books.iso"),
        Book("红楼梦", "$bL0001-3$dI242$eC1$f3") + Book("B", "$bL0100$dA1$f1"));
  }

  void OptionBoxesEnableExcludeAndForgetTheList() {
    testing::RecordingMessages messages;
    Page page;
    QVERIFY(!page.split->isEnabled());
    QVERIFY(!page.start->isEnabled());
    page.Load(dir_.Path("books.iso"));
    QCOMPARE(page.Rows(), 2);

    page.per_copy->click();
    QVERIFY(page.split->isEnabled());
    QVERIFY(Find<QLabel>(&page.window, "Label2")->isEnabled());
    QCOMPARE(page.Rows(), 0);
    QVERIFY(page.file->text().isEmpty());

    page.split->click();
    page.renumber->click();  // unticks the split
    QVERIFY(!page.split->isChecked());
    QVERIFY(page.start->isEnabled());
    page.split->click();  // and back
    QVERIFY(!page.renumber->isChecked());
    QVERIFY(!page.start->isEnabled());
    page.per_copy->click();
    QVERIFY(!page.split->isEnabled());
  }

  void LoadsSortsAndReportsProblems() {
    testing::RecordingMessages messages;
    Page page;
    page.per_copy->click();
    page.split->click();
    page.Load(dir_.Path("books.iso"));
    QCOMPARE(page.Rows(), 4);
    QCOMPARE(page.status->text(),
             QStringLiteral("源文件共 2 条记录，共导入 4 条"));
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 书标数据导入完成。\n\n共4条"));
    QCOMPARE(page.Title(0), QStringLiteral("图书名称"));
    QCOMPARE(page.Cell(2, 5), QStringLiteral("L0003"));

    page.ClickTitle(7);  // 905d
    QCOMPARE(page.Title(7), QStringLiteral("▲905d"));
    QCOMPARE(page.Cell(0, 0), QStringLiteral("B"));
    page.ClickTitle(7);
    QCOMPARE(page.Title(7), QStringLiteral("▼905d"));
    QCOMPARE(page.Cell(0, 5), QStringLiteral("L0001"));  // stable
    page.ClickTitle(5);                                  // 905b
    QCOMPARE(page.Title(7), QStringLiteral("905d"));
    QCOMPARE(page.Title(5), QStringLiteral("▲905b"));

    // Cancelling the dialog changes nothing.
    page.Load(std::nullopt);
    QCOMPARE(page.Rows(), 4);

    page.per_copy->click();
    page.renumber->click();
    page.Load(dir_.Path("books.iso"));
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 请输入起始登录号！"));
    page.start->setText("N01");
    page.Load(dir_.Path("books.iso"));
    QCOMPARE(page.start->text(), QStringLiteral("N04"));
    QCOMPARE(page.Cell(1, 5), QStringLiteral("N04"));

    testing::WriteFile(dir_.Path("empty.iso"), "");
    page.Load(dir_.Path("empty.iso"));
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 原始MARC文件为空！"));
    QVERIFY(page.status->text().isEmpty());
    QCOMPARE(page.Rows(), 2);  // the previous list stays
    QCOMPARE(page.file->text(), QString::fromStdString(dir_.Path("empty.iso")));
  }

  void PreviewShowsPagesAdjustsLayoutAndExportsPdf() {
    std::string file;
    for (int i = 0; i < 25; ++i) file += Book("T", "$dD" + std::to_string(i));
    testing::WriteFile(dir_.Path("25.iso"), file);
    testing::RecordingMessages messages;
    Page page;
    QTest::mouseClick(Find<QPushButton>(&page.window, "btnPrint905"),
                      Qt::LeftButton);  // an empty list: nothing opens
    page.Load(dir_.Path("25.iso"));

    int pages = 0;
    int pages_after_layout = 0;
    QString caption;
    LabelLayout saved;
    testing::ScriptedFiles files;
    files.names = {QString::fromStdString(dir_.Path("25.iso")),
                   QString::fromStdString(dir_.Path("out.pdf"))};
    QTimer::singleShot(0, [&] {
      auto* preview =
          qobject_cast<LabelPreview*>(QApplication::activeModalWidget());
      if (!preview) return;
      caption = preview->windowTitle();
      pages = preview->PageCount();
      QTimer::singleShot(0, [&] {
        auto* dialog =
            qobject_cast<LabelLayoutDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        Find<QDoubleSpinBox>(dialog, "edt_label_height")->setValue(100);
        dialog->accept();
      });
      Find<QAction>(preview, "actLayout")->trigger();
      pages_after_layout = preview->PageCount();
      saved = SavedLabelLayout();
      Find<QAction>(preview, "actPdf")->trigger();  // refused: the input
      Find<QAction>(preview, "actPdf")->trigger();
      preview->accept();
    });
    QTest::mouseClick(Find<QPushButton>(&page.window, "btnPrint905"),
                      Qt::LeftButton);
    QCOMPARE(caption, QStringLiteral("书标打印"));
    QCOMPARE(pages, 2);
    QCOMPARE(pages_after_layout, 5);  // 2 lines of 3 labels a page
    QCOMPARE(saved.label_height, 100.0);
    QVERIFY(messages.shown.last().contains("PDF文件不能是原始MARC文件本身"));
    QCOMPARE(testing::ReadFile(dir_.Path("25.iso")), file);
    if (testing::HavePdfToText()) {
      QCOMPARE(testing::ReadPdfText(dir_.Path("out.pdf")).pages.size(), 5u);
    }

    // "恢复默认" brings back the default stock.
    LabelLayoutDialog dialog(saved);
    QCOMPARE(dialog.layout().label_height, 100.0);
    Find<QPushButton>(&dialog, "btnResetLayout")->click();
    QVERIFY(dialog.layout() == LabelLayout{});
    QSettings().clear();
  }
};

}  // namespace veltrane::app

QTEST_MAIN(veltrane::app::LabelPageTest)
#include "label_page_test.moc"
