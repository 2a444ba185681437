// The batch duplicate-check pages and the extraction page: their checks and
// messages in order, the controls they enable, and a run of each.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>

#include "app/app_setup.h"
#include "app/main_window.h"
#include "gui_test_support.h"
#include "support/test_support.h"

namespace veltrane::app {

class BatchCheckPagesTest : public QObject {
  Q_OBJECT

 private:
  testing::TempDir dir_;
  std::unique_ptr<TfrmMain> window_;

  template <typename T>
  T* Find(const char* name) {
    return testing::Find<T>(window_.get(), name);
  }
  void Set(const char* edit, const std::string& text) {
    Find<QLineEdit>(edit)->setText(QString::fromStdString(text));
  }
  // Clicks near the left edge, where radio buttons and check boxes take
  // clicks (on their indicator and caption).
  void Click(const char* name) {
    auto* button = Find<QAbstractButton>(name);
    QTest::mouseClick(button, Qt::LeftButton, {},
                      QPoint(8, button->height() / 2));
  }
  QString Path(const std::string& name) {
    return QString::fromStdString(dir_.Path(name));
  }

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    SetUpApplication(*qApp);
    testing::WriteFile(dir_.Path("buyer.iso"),
                       testing::BookRecord("b1", "7-5006-3772-1") +
                           testing::BookRecord("b2", "7-111-11111-1"));
    testing::WriteFile(dir_.Path("supplier.iso"),
                       testing::BookRecord("s1", "7-5006-3772-1") + "\r\n" +
                           testing::BookRecord("s2", "7-222-22222-2") + "\r\n");
  }

  void init() {
    std::filesystem::remove(dir_.Path("veldata.db"));
    window_ = std::make_unique<TfrmMain>();
    window_->show();
    window_->OpenDatabase(dir_.Path("veldata.db"));
  }

  void cleanup() { window_.reset(); }

  void MarcCheckRunsItsChecksInOrderThenTheCheck() {
    testing::RecordingMessages messages;
    testing::ClickNavigationItem(window_.get(), "利用双方MARC数据自动匹配查重");
    Click("RzButton14");
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 请指定采购方数据源。"));

    Click("RzRadioGroup2_0");  // the table is empty: falls back to a file
    QCOMPARE(messages.shown.last(),
             QStringLiteral(
                 "information: “现场采购”模块中并没有导入采购方MARC数据。"));
    QVERIFY(Find<QRadioButton>("RzRadioGroup2_1")->isChecked());
    QVERIFY(Find<QLineEdit>("RzEdit14")->isEnabled());

    Set("RzEdit14", dir_.Path("buyer.iso"));
    Click("RzButton14");
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 请指定供应商方数据源。"));

    Set("RzEdit10", dir_.Path("supplier.iso"));
    QVERIFY(!Find<QLineEdit>("RzEdit12")->isEnabled());
    Click("RzRadioGroup3_1");
    QVERIFY(Find<QLineEdit>("RzEdit12")->isEnabled());
    Find<QLineEdit>("RzEdit12")->clear();
    testing::TypeText(Find<QLineEdit>("RzEdit12"), ",200a,2x0a;,");
    Click("RzButton14");
    QCOMPARE(Find<QLineEdit>("RzEdit12")->text(), QStringLiteral("200a,2x0a"));
    QCOMPARE(
        messages.shown.last(),
        QStringLiteral("information: 查重字段书写错误!\n\n请参考例子或说明"));

    Click("RzRadioGroup3_2");
    Click("RzButton14");
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 最少需要指定一个输出文件。"));

    Set("RzEdit11", dir_.Path("lacks.iso"));
    Set("RzEdit16", dir_.Path("common.iso"));
    Click("RzButton14");
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 利用双方MARC数据自动匹配查重完成!"));
    QCOMPARE(testing::ReadFile(dir_.Path("lacks.iso")),
             testing::BookRecord("s2", "7-222-22222-2") + "\r\n");
    QCOMPARE(testing::ReadFile(dir_.Path("common.iso")),
             testing::BookRecord("b1", "7-5006-3772-1") + "\r\n");
  }

  void IsbnCheckEmptiesTheMissingFileAndCompares() {
    testing::RecordingMessages messages;
    testing::WriteFile(dir_.Path("buyer.txt"),
                       "7500637721\r\n7-111-11111-1\r\n");
    testing::WriteFile(dir_.Path("supplier.txt"),
                       "978-7-5006-3772-1\r\n7-222-22222-2\r\n");
    testing::ClickNavigationItem(window_.get(), "利用双方ISBN文件自动匹配查重");
    Set("RzEdit2", dir_.Path("none.txt"));
    Click("RzButton33");
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 请指定采购方ISBN文件。"));
    QVERIFY(Find<QLineEdit>("RzEdit2")->text().isEmpty());
    Set("RzEdit2", dir_.Path("buyer.txt"));
    Click("RzButton33");
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 请指定供应商方ISBN文件。"));
    Set("RzEdit3", dir_.Path("supplier.txt"));
    Click("RzButton33");
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 最少需要指定一个输出文件。"));

    Set("RzEdit7", dir_.Path("common.txt"));
    Click("chkConvISBN06");
    Click("RzButton33");
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 利用双方ISBN文件自动匹配查重完成!"));
    QCOMPARE(testing::ReadFile(dir_.Path("common.txt")),
             std::string("978-7-5006-3772-1\r\n"));
  }

  void ExtractionChecksAndAppends() {
    testing::RecordingMessages messages;
    testing::WriteFile(dir_.Path("bought.txt"), "7-222-22222-2\r\n");
    testing::ClickNavigationItem(window_.get(), "利用ISBN输出供应商MARC数据");
    Click("RzButton11");
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 请指定供应商MARC数据文件"));
    Set("edtFileName_Pn3_m1", dir_.Path("supplier.iso"));
    Click("RzButton11");
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 请指定要采购的ISBN文件！"));
    Set("edtFileName_Pn3_isbn", dir_.Path("bought.txt"));
    Click("RzButton11");
    QCOMPARE(messages.shown.last(),
             QStringLiteral(
                 "information: 请指定你要输出的ISBN文件的文件名和路径！"));

    testing::WriteFile(dir_.Path("out.iso"), "KEEP");
    Set("edtFileName_Pn3_m2", dir_.Path("out.iso"));
    Click("RzRadioGroup10_1");
    Click("RzButton11");
    QCOMPARE(testing::ReadFile(dir_.Path("out.iso")),
             "KEEP" + testing::BookRecord("s2", "7-222-22222-2") + "\r\n");
  }
};

}  // namespace veltrane::app

QTEST_MAIN(veltrane::app::BatchCheckPagesTest)
#include "batch_check_pages_test.moc"
