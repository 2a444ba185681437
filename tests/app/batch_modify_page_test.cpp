// The page "对MARC文件批量修改": its rule table's editors, saving and
// loading the table, the renumbering option, the checks and a run.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>

#include "app/app_setup.h"
#include "app/main_window.h"
#include "app/sheet_grids.h"
#include "gui_test_support.h"
#include "marc/record.h"
#include "support/test_support.h"

namespace veltrane::app {

class BatchModifyPageTest : public QObject {
  Q_OBJECT

 private:
  testing::TempDir dir_;
  std::unique_ptr<TfrmMain> window_;

  template <typename T>
  T* Find(const char* name) {
    return testing::Find<T>(window_.get(), name);
  }
  void Click(const char* name) {
    auto* button = Find<QAbstractButton>(name);
    QTest::mouseClick(button, Qt::LeftButton, {},
                      QPoint(8, button->height() / 2));
  }
  QTableWidget* Table() { return Find<QTableWidget>("asg"); }
  // Fills the cells of `row` as typing would, one after the other.
  void SetRow(int row, const QStringList& cells) {
    for (int column = 0; column < cells.size(); ++column) {
      if (!Table()->item(row, column)) {
        Table()->setItem(row, column, new QTableWidgetItem);
      }
    }
    for (int column = 0; column < cells.size(); ++column) {
      Table()->item(row, column)->setText(cells[column]);
    }
  }
  // The editor the table opens for a cell (null when it takes no keys).
  QWidget* Editor(int row, int column) {
    QModelIndex index = Table()->model()->index(row, column);
    return Table()->itemDelegateForIndex(index)->createEditor(
        Table()->viewport(), QStyleOptionViewItem(), index);
  }

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    SetUpApplication(*qApp);
    testing::WriteFile(
        dir_.Path("in.iso"),
        testing::IsoRecord({{"001", "1"}, {"606", "  $aT"}, {"905", "  $f2"}}));
  }

  void init() {
    window_ = std::make_unique<TfrmMain>();
    window_->show();
    testing::ClickNavigationItem(window_.get(), "对MARC文件批量修改");
  }

  void cleanup() { window_.reset(); }

  void TableEditorsFollowTheRow() {
    QCOMPARE(Table()->rowCount(), 7);
    QCOMPARE(Table()->columnWidth(3), 197);
    auto* operation = qobject_cast<QComboBox*>(Editor(0, 1));
    QVERIFY(operation);
    QVERIFY(!operation->isEditable());
    QCOMPARE(operation->count(), 4);
    QCOMPARE(operation->itemText(3), QStringLiteral("改字段号"));

    SetRow(0, {"606", QStringLiteral("改字段号"), "", "607"});
    QVERIFY(Editor(0, 2) == nullptr);
    QCOMPARE(Table()->item(0, 2)->background().color(), QColor(Qt::lightGray));
    SetRow(0, {"801", QStringLiteral("增加")});
    QVERIFY(Editor(0, 2) != nullptr);
    QCOMPARE(Table()->item(0, 2)->background().color(), QColor(Qt::white));

    auto* content = qobject_cast<QLineEdit*>(Editor(0, 3));
    QTest::keyClicks(content, "\\aCN");
    QCOMPARE(content->text(), QStringLiteral("■aCN"));
    SetRow(1, {"200a"});
    content = qobject_cast<QLineEdit*>(Editor(1, 3));
    QTest::keyClicks(content, "\\a");
    QCOMPARE(content->text(), QStringLiteral("\\a"));
  }

  void RowsAndTableFile() {
    testing::ScriptedFiles files;
    testing::RecordingMessages messages;
    SetRow(0, {"606", QStringLiteral("改字段号"), "", "607"});
    SetRow(2, {"801", QStringLiteral("增加"), "0", QStringLiteral("■aCN")});
    Click("RzButton36");
    QCOMPARE(Table()->rowCount(), 8);
    files.names = {QString::fromStdString(dir_.Path("rules.txt"))};
    Click("RzButton39");
    Table()->setCurrentCell(0, 0);
    for (int i = 0; i < 7; ++i) Click("RzButton38");
    QCOMPARE(Table()->rowCount(), 1);
    Click("RzButton38");  // the last rule row is emptied, not removed
    QCOMPARE(Table()->rowCount(), 1);
    QVERIFY(CellText(Table(), 0, 0).isEmpty());

    files.names = {QString::fromStdString(dir_.Path("rules.txt"))};
    Click("RzButton40");
    QCOMPARE(Table()->rowCount(), 8);
    QCOMPARE(Table()->item(2, 3)->text(), QStringLiteral("■aCN"));
    QCOMPARE(Table()->item(0, 2)->background().color(), QColor(Qt::lightGray));

    testing::WriteFile(dir_.Path("bad.txt"), "not a table");
    files.names = {QString::fromStdString(dir_.Path("bad.txt"))};
    Click("RzButton40");
    QVERIFY(messages.shown.last().startsWith(
        QStringLiteral("error: File contains no data or corrupt file")));
  }

  void ChecksThenRunWithRenumbering() {
    testing::RecordingMessages messages;
    QVERIFY(!Find<QLineEdit>("RzEdit49")->isEnabled());
    Click("CheckBox3");
    QVERIFY(Find<QLineEdit>("RzEdit49")->isEnabled());
    Find<QLineEdit>("RzEdit8")->setText("none.iso");
    Click("RzButton37");
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 请指定原始MARC文件。"));
    QVERIFY(Find<QLineEdit>("RzEdit8")->text().isEmpty());

    Find<QLineEdit>("RzEdit8")->setText(
        QString::fromStdString(dir_.Path("in.iso")));
    Click("RzButton37");
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 请指定要输出的文件名及路径！"));
    Find<QLineEdit>("RzEdit9")->setText(
        QString::fromStdString(dir_.Path("out.iso")));
    Click("RzButton37");
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 请输入起始登录号！"));

    Find<QLineEdit>("RzEdit49")->setText("L0001");
    SetRow(0, {"606", QStringLiteral("改字段号"), "", "607"});
    Click("RzButton37");
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: MARC文件批量修改完成!\n\n共1条"));
    QCOMPARE(Find<QLineEdit>("RzEdit49")->text(), QStringLiteral("L0001-02"));
    std::string out = testing::ReadFile(dir_.Path("out.iso"));
    TMarcRecord record = TMarcRecord::Create(out.substr(0, out.size() - 2));
    QCOMPARE(record.GetValue("607a"), std::string("T"));
    QCOMPARE(record.GetValue("905b"), std::string("L0001-02"));
  }
};

}  // namespace veltrane::app

QTEST_MAIN(veltrane::app::BatchModifyPageTest)
#include "batch_modify_page_test.moc"
