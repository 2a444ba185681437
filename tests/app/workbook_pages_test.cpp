// The workbook pages: opening workbooks into their grids, the field cell
// editor, the warning before a conversion, the workbook check's run and the
// maintenance page's workbook export.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include "app/app_setup.h"
#include "app/main_window.h"
#include "db/main_data.h"
#include "gui_test_support.h"
#include "ops/sheet_test_support.h"
#include "sheet/workbook_io.h"
#include "support/test_support.h"

namespace veltrane::app {

class WorkbookPagesTest : public QObject {
  Q_OBJECT

 private:
  testing::TempDir dir_;
  std::unique_ptr<TfrmMain> window_;

  template <typename T>
  T* Find(const char* name) {
    return testing::Find<T>(window_.get(), name);
  }
  void Click(const char* name) {
    QTest::mouseClick(Find<QAbstractButton>(name), Qt::LeftButton);
  }
  QString Path(const std::string& name) {
    return QString::fromStdString(dir_.Path(name));
  }

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    SetUpApplication(*qApp);
    testing::WriteSheets(dir_.Path("buyer.xlsx"),
                         {testing::SheetOf("Sheet1", {{"ISBN", "书名"},
                                                      {"1", "a"},
                                                      {"2", "b"}})});
    testing::WriteSheets(dir_.Path("supplier.xls"),
                         {testing::SheetOf("Sheet1", {{"条码"}, {"2"}})});
  }

  void init() {
    window_ = std::make_unique<TfrmMain>();
    window_->show();
    window_->OpenDatabase(dir_.Path("veldata.db"));
  }

  void cleanup() { window_.reset(); }

  // The key filter while typing; a text that is no field is refused.
  void FieldCellsTakeOnlyFields() {
    testing::ClickNavigationItem(window_.get(), "MARC转EXCEL");
    auto* table = Find<QTableWidget>("asg3");
    QAbstractItemDelegate* delegate = table->itemDelegateForColumn(0);
    const QModelIndex cell = table->model()->index(0, 0);
    for (const auto& [typed, kept] : {std::pair{"2x00ab", "200a"},
                                      std::pair{"20", "200a"},
                                      std::pair{"-01", "-01"}}) {
      std::unique_ptr<QWidget> editor(
          delegate->createEditor(table->viewport(), {}, cell));
      testing::TypeText(editor.get(), QString::fromLatin1(typed));
      delegate->setModelData(editor.get(), table->model(), cell);
      QCOMPARE(cell.data().toString(), QString::fromLatin1(kept));
    }
  }

  void SheetToMarcOpensTheWorkbookAndWarnsBeforeRunning() {
    testing::RecordingMessages messages;
    testing::ScriptedFiles files;
    testing::ClickNavigationItem(window_.get(), "EXCEL转MARC");
    files.names = {Path("buyer.xlsx")};
    Click("RzButton25");
    auto* columns = Find<QTableWidget>("asg2");
    QCOMPARE(columns->rowCount(), 2);
    QCOMPARE(columns->item(1, 2)->text(), QStringLiteral("200a"));
    QVERIFY(Find<QLabel>("lblPleaseEdit")->isVisible());
    Find<QLineEdit>("RzEdit24")->setText(Path("out.iso"));
    Click("RzButton26");
    QVERIFY(messages.shown.at(0).startsWith(QStringLiteral("warning: 建议指定")));
    QCOMPARE(messages.shown.at(1),
             QStringLiteral("information: EXCEL转MARC完成!\n\n共2条记录"));
    QVERIFY(!Find<QCheckBox>("CheckBox5")->isVisible());
  }

  void SheetCheckMarksBothListsAndWritesTheResult() {
    testing::RecordingMessages messages;
    testing::ScriptedFiles files;
    testing::ClickNavigationItem(window_.get(), "利用双方EXCEL文件自动匹配查重");
    files.names = {Path("buyer.xlsx"), Path("supplier.xls")};
    Click("RzButton10");
    Click("RzButton18");
    auto* pairs = Find<QTableWidget>("asg7");
    for (int side = 0; side < 2; ++side) {
      auto* item = new QTableWidgetItem(side == 0 ? "ISBN" : "条码");
      item->setData(Qt::UserRole, 0);
      pairs->setItem(0, side, item);
    }
    Find<QLineEdit>("RzEdit4")->setText(Path("result.xlsx"));
    Click("RzButton47");
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 利用双方EXCEL文件自动匹配查重完成!"));
    auto* buyer = Find<QTableView>("asg5");
    QCOMPARE(buyer->model()->headerData(2, Qt::Horizontal).toString(),
             QStringLiteral("标记"));
    QCOMPARE(buyer->model()->index(1, 2).data().toString(),
             QStringLiteral("对方已有"));
    QCOMPARE(testing::ReadSheetRows(dir_.Path("result.xlsx"),
                                    "采购方有供应方没有"),
             (testing::Rows{{"ISBN", "书名", "标记"}, {"1", "a"}}));
    QVERIFY(!Find<QCheckBox>("chkAbort")->isVisible());
  }

  void MaintenanceExportsPurchasesAsAWorkbook() {
    window_->Data()->AddPurchase("7-5006-3772-1", 2);
    testing::RecordingMessages messages;
    testing::ScriptedFiles files;
    testing::ClickNavigationItem(window_.get(), "现场采购数据维护");
    files.names = {Path("bought.xls")};
    Click("RzButton60");
    QCOMPARE(messages.shown.last(), QStringLiteral("information: 导出完成!"));
    QCOMPARE(testing::ReadSheetRows(dir_.Path("bought.xls"), "Sheet1").size(),
             2u);
  }
};

}  // namespace veltrane::app

QTEST_MAIN(veltrane::app::WorkbookPagesTest)
#include "workbook_pages_test.moc"
