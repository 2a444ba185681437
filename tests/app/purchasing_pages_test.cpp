// The on-site purchasing pages driven as a user with a barcode scanner
// would: codes and Enter typed into whatever has the focus.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include "app/app_setup.h"
#include "app/beeper.h"
#include "app/main_window.h"
#include "db/main_data.h"
#include "gui_test_support.h"
#include "support/test_support.h"

namespace veltrane::app {
namespace {

class CountingBeeper : public Beeper {
 public:
  CountingBeeper() { SetBeeper(this); }
  ~CountingBeeper() override { SetBeeper(nullptr); }
  void Beep() override { ++beeps; }
  int beeps = 0;
};

// The scanner: types `code` and Enter into the widget that has the focus.
void Scan(const QString& code) {
  QWidget* focused = QApplication::focusWidget();
  QVERIFY(focused);
  QTest::keyClicks(focused, code);
  QTest::keyClick(focused, Qt::Key_Return);
}

}  // namespace

class PurchasingPagesTest : public QObject {
  Q_OBJECT

 private:
  testing::TempDir dir_;
  std::unique_ptr<TfrmMain> window_;

  template <typename T>
  T* Find(const char* name) {
    return testing::Find<T>(window_.get(), name);
  }
  QString Text(const char* label) { return Find<QLabel>(label)->text(); }
  TMainData& Data() { return *window_->Data(); }

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    SetUpApplication(*qApp);
  }

  void init() {
    std::filesystem::remove(dir_.Path("veldata.db"));
    window_ = std::make_unique<TfrmMain>();
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    window_->OpenDatabase(dir_.Path("veldata.db"));
    QVERIFY(window_->Data());
    Data().AppendBuyerRow("Held Title", "7-5006-3772-1", 1,
                          testing::BookRecord("1", "7-5006-3772-1"));
  }

  void cleanup() { window_.reset(); }

  void RemindTabIsShownFirstAndAnswersFromTheCatalogue() {
    CountingBeeper beeper;
    testing::ClickNavigationItem(window_.get(), "现场采购");
    QCOMPARE(Find<QTabWidget>("RzPageControl2")->currentWidget()->objectName(),
             QStringLiteral("TabSheet3"));
    Find<QCheckBox>("chkNotRepeat")->setChecked(true);
    auto* field = Find<QLineEdit>("edtJD");
    // The scanner types wherever the focus is: the page puts it there.
    QCOMPARE(QApplication::focusWidget(), field);

    Scan("9787500637721");
    QCOMPARE(field->text(), QStringLiteral("7-5006-3772-1"));
    QCOMPARE(Text("pnlJD"), QStringLiteral("Held Title, 已有"));
    QCOMPARE(beeper.beeps, 0);

    Scan("7500637748");  // the whole text was selected: the scan replaces it
    QCOMPARE(Text("pnlJD"), QStringLiteral("7-5006-3774-8  没找到！"));
    QCOMPARE(beeper.beeps, 1);

    Scan("7500637722");
    QVERIFY(Find<QLabel>("lblJD")->isVisibleTo(window_.get()));
    QVERIFY(!Find<QLabel>("pnlJD")->isVisibleTo(window_.get()));
    QTest::keyClick(field, Qt::Key_A);  // any key hides the red label
    QVERIFY(!Find<QLabel>("lblJD")->isVisibleTo(window_.get()));
  }

  void ConfirmTabMovesTheFocusFromScanToQuantityAndBack() {
    testing::ClickNavigationItem(window_.get(), "现场采购");
    Find<QTabWidget>("RzPageControl2")->setCurrentIndex(0);
    Find<QSpinBox>("spePnl2")->setValue(2);
    auto* field = Find<QLineEdit>("edtZTCG");
    QCOMPARE(QApplication::focusWidget(), field);  // the tab change put it here

    Scan("9787500637721");
    QCOMPARE(Text("pnlZT1"),
             QStringLiteral("已有[ 1 ]本，已采购[ 0 ]本，现采购："));
    QCOMPARE(QApplication::focusWidget()->objectName(),
             QStringLiteral("edtZTQR"));
    QCOMPARE(Find<QLineEdit>("edtZTQR")->text(), QStringLiteral("1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(Text("pnlZT1"),
             QStringLiteral("7-5006-3772-1  确认采购[ 1 ]本。"));
    QCOMPARE(QApplication::focusWidget(), field);
    QCOMPARE(Data().PurchasedCopies("7-5006-3772-1"), 1);

    Scan("9787500637721");  // held 1 + bought 1 reach the target
    QCOMPARE(Find<QLineEdit>("edtZTQR")->text(), QStringLiteral("0"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(Text("pnlZT1"), QStringLiteral("7-5006-3772-1  确认不采购"));

    auto* removal = Find<QLineEdit>("edtZTTC");
    removal->setFocus();
    Scan("7-5006-3772-1");
    QCOMPARE(Text("pnlZT1"),
             QStringLiteral("剔除 ISBN[ 7-5006-3772-1 ] 的采购数据成功"));
    QCOMPARE(Data().PurchasedCopies("7-5006-3772-1"), 0);
  }

  void ContinuousTabBuysUpToTheTargetAndExports() {
    testing::RecordingMessages messages;
    testing::ClickNavigationItem(window_.get(), "现场采购");
    Find<QTabWidget>("RzPageControl2")->setCurrentIndex(1);
    Find<QSpinBox>("spePnl2")->setValue(2);
    Find<QLineEdit>("edtLXCG")->setFocus();

    Scan("7500637748");
    QCOMPARE(Text("pnlEndingIsbn"), QStringLiteral("7-5006-3774-8"));
    QCOMPARE(Text("pnlResult"),
             QStringLiteral("现有[0]本，已采购[0]本，继续采购[2]本"));
    Scan("7500637748");
    QCOMPARE(Text("pnlResult"),
             QStringLiteral("现有[0]本，已采购[2]本，不做采购"));
    Scan("9787500637721");
    QCOMPARE(Text("pnlResult"),
             QStringLiteral("现有[1]本，已采购[0]本，继续采购[1]本"));

    Find<QLineEdit>("edtFileName_Pn2_ISBN")
        ->setText(QString::fromStdString(dir_.Path("bought.txt")));
    Find<QCheckBox>("chkPnl23")->setChecked(true);
    QTest::mouseClick(Find<QPushButton>("RzButton8"), Qt::LeftButton);
    QCOMPARE(messages.shown.last(), QStringLiteral("information: 导出完成!"));
    QCOMPARE(testing::ReadFile(dir_.Path("bought.txt")),
             std::string("7-5006-3774-8 2\r\n7-5006-3772-1 1\r\n"));

    Find<QLineEdit>("edtLXTC")->setFocus();
    Scan("7500637748");
    QCOMPARE(Text("pnlResult"),
             QStringLiteral("剔除ISBN[7-5006-3774-8]的采购数据成功"));
  }

  void ImportAsksBeforeAddingAndExportsTheIsbns() {
    testing::RecordingMessages messages;
    testing::WriteFile(dir_.Path("buyer.iso"),
                       testing::BookRecord("a", "7-111-11111-1") +
                           testing::BookRecord("b", "") +
                           testing::BookRecord("c", "7-222-22222-2"));
    testing::ClickNavigationItem(window_.get(), "导入采购方MARC数据");
    Find<QLineEdit>("edtFileName_Pn1_MARC")
        ->setText(QString::fromStdString(dir_.Path("buyer.iso")));
    QTest::mouseClick(Find<QCheckBox>("RzCheckBox4"), Qt::LeftButton);
    QVERIFY(Find<QLineEdit>("RzEdit17")->isEnabled());
    Find<QLineEdit>("RzEdit17")->setText("2");

    messages.answers = {false};
    QTest::mouseClick(Find<QPushButton>("btnPn1_Input"), Qt::LeftButton);
    QVERIFY(messages.shown.front().startsWith(
        QStringLiteral("question: 已存在采购方MARC数据  1条")));
    Data().BuyerTable().Reopen();
    QCOMPARE(Data().BuyerTable().RecordCount(), 1);

    messages.answers = {true};
    QTest::mouseClick(Find<QPushButton>("btnPn1_Input"), Qt::LeftButton);
    QVERIFY(messages.shown.last().contains(QStringLiteral("共3条")));
    QCOMPARE(Data().HeldCopies("7-222-22222-2"), 2);

    Find<QLineEdit>("edtFileName_Pn1_ISBN")
        ->setText(QString::fromStdString(dir_.Path("isbn.txt")));
    QTest::mouseClick(Find<QPushButton>("btnPn1_Ouput"), Qt::LeftButton);
    QCOMPARE(
        testing::ReadFile(dir_.Path("isbn.txt")),
        std::string("7-5006-3772-1\r\n7-111-11111-1\r\n\r\n7-222-22222-2\r\n"));
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 将本系统数据库中的ISBN导出完成!"));
  }

  void DeleteMakesTheNextRowCurrent() {
    testing::RecordingMessages messages;
    for (const char* code : {"7-111-1", "7-111-2", "7-111-3"}) {
      Data().AddPurchase(code, 1);
    }
    testing::ClickNavigationItem(window_.get(), "现场采购数据维护");
    auto* grid = Find<QTableView>("DBGrid2");
    auto* remove = Find<QPushButton>("RzButton51");
    auto code = [&](int row) {
      return grid->model()->index(row, 1).data().toString();
    };
    grid->setCurrentIndex(grid->model()->index(1, 0));
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(grid->model()->rowCount(), 2);
    QCOMPARE(grid->currentIndex().row(), 1);
    QVERIFY(grid->selectionModel()->isRowSelected(1, {}));
    QCOMPARE(code(1), QStringLiteral("7-111-3"));

    QTest::mouseClick(remove, Qt::LeftButton);  // the last row: then the new last
    QCOMPARE(grid->model()->rowCount(), 1);
    QCOMPARE(grid->currentIndex().row(), 0);

    grid->setCurrentIndex({});  // no current row: nothing is deleted
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(grid->model()->rowCount(), 1);
    QCOMPARE(code(0), QStringLiteral("7-111-1"));
  }

  void MaintenanceGridsEditSetShiftAndClear() {
    testing::RecordingMessages messages;
    Data().AddPurchase("7-5006-3772-1", 1);
    Data().AddPurchase("7500-6375", 3);
    testing::ClickNavigationItem(window_.get(), "现场采购数据维护");
    auto* grid = Find<QTableView>("DBGrid2");
    QCOMPARE(grid->model()->rowCount(), 2);
    QCOMPARE(grid->model()->index(1, 1).data().toString(),
             QStringLiteral("7500-6375"));

    // An edit is written when the row is left.
    grid->model()->setData(grid->model()->index(0, 2), "5");
    QCOMPARE(Data().PurchasedCopies("7-5006-3772-1"), 1);
    grid->setCurrentIndex(grid->model()->index(0, 0));
    grid->setCurrentIndex(grid->model()->index(1, 0));
    QCOMPARE(Data().PurchasedCopies("7-5006-3772-1"), 5);

    Find<QLineEdit>("RzEdit30")->setText("2");
    QTest::mouseClick(Find<QPushButton>("RzButton49"), Qt::LeftButton);
    Find<QLineEdit>("RzEdit31")->setText("-3");
    QTest::mouseClick(Find<QPushButton>("RzButton50"), Qt::LeftButton);
    QCOMPARE(Data().PurchasedCopies("7500-6375"), -1);
    QTest::mouseClick(Find<QPushButton>("RzButton58"), Qt::LeftButton);
    QCOMPARE(grid->model()->rowCount(), 2);

    messages.answers = {false};
    QTest::mouseClick(Find<QPushButton>("RzButton32"), Qt::LeftButton);
    QCOMPARE(grid->model()->rowCount(), 2);
    messages.answers = {true};
    QTest::mouseClick(Find<QPushButton>("RzButton32"), Qt::LeftButton);
    QCOMPARE(grid->model()->rowCount(), 0);
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 完成清空本次现采数据库!"));
    Data().AddPurchase("7-5006-3772-1", 1);
    Data().LocaleTable().Reopen();
    QCOMPARE(Data().LocaleTable().Integer("recno"), 1);
  }
};

}  // namespace veltrane::app

QTEST_MAIN(veltrane::app::PurchasingPagesTest)
#include "purchasing_pages_test.moc"
