// The MARC utility pages: de-duplication, splitting and merging: their
// checks and messages, the controls they enable, and a run of each.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>
#include <QTreeWidget>

#include "app/app_setup.h"
#include "app/main_window.h"
#include "gui_test_support.h"
#include "support/test_support.h"

namespace veltrane::app {

class UtilityPagesTest : public QObject {
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
  void Click(const char* name) {
    auto* button = Find<QAbstractButton>(name);
    QTest::mouseClick(button, Qt::LeftButton, {},
                      QPoint(8, button->height() / 2));
  }
  QString Path(const std::string& name) {
    return QString::fromStdString(dir_.Path(name));
  }
  std::string Records(const std::vector<std::string>& ids) {
    std::string bytes;
    for (const std::string& id : ids) {
      bytes += testing::BookRecord(id, "7-5006-3772-1") + "\r\n";
    }
    return bytes;
  }

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    SetUpApplication(*qApp);
    testing::WriteFile(dir_.Path("in.iso"), Records({"1", "2", "1", "3"}));
  }

  void init() {
    window_ = std::make_unique<TfrmMain>();
    window_->show();
  }

  void cleanup() { window_.reset(); }

  void DedupChecksThenKeepsFirstOccurrences() {
    testing::RecordingMessages messages;
    testing::ClickNavigationItem(window_.get(), "数据去重");
    QVERIFY(!Find<QLineEdit>("RzEdit36")->isEnabled());
    Click("RzRadioGroup4_1");
    QVERIFY(Find<QLineEdit>("RzEdit36")->isEnabled());
    Click("RzButton55");
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 请指定原始MARC文件。"));

    Set("RzEdit32", dir_.Path("in.iso"));
    Set("RzEdit36", ",200a,");
    Click("RzButton55");
    QCOMPARE(Find<QLineEdit>("RzEdit36")->text(), QStringLiteral("200a"));
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 请指定去重后的MARC文件。"));
    Click("RzRadioGroup4_2");  // the same ISBN everywhere: one record kept
    Set("RzEdit33", dir_.Path("dedup.iso"));
    Click("RzButton55");
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: MARC文件去重完成!"));
    QCOMPARE(testing::ReadFile(dir_.Path("dedup.iso")), Records({"1"}));

    Set("RzEdit35", dir_.Path("none.txt"));
    Click("RzButton54");
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 请指定原始ISBN文件。"));
    QVERIFY(Find<QLineEdit>("RzEdit35")->text().isEmpty());
  }

  void SplitEnablesItsControlsInTurn() {
    testing::RecordingMessages messages;
    testing::ScriptedFiles files;
    testing::ClickNavigationItem(window_.get(), "分割MARC文件");
    files.names = {Path("in.iso")};
    Click("RzButton68");
    QCOMPARE(Find<QLineEdit>("RzEdit42")->text(), QStringLiteral("4"));
    QVERIFY(!Find<QLineEdit>("RzEdit40")->isEnabled());
    QVERIFY(!Find<QPushButton>("RzButton70")->isEnabled());

    Click("RzRadioGroup9_0");
    QVERIFY(Find<QLineEdit>("RzEdit40")->isEnabled());
    QVERIFY(!Find<QPushButton>("RzButton69")->isEnabled());
    QTest::keyClicks(Find<QLineEdit>("RzEdit40"), "x4");
    QCOMPARE(Find<QLineEdit>("RzEdit40")->text(), QStringLiteral("4"));
    QVERIFY(Find<QPushButton>("RzButton69")->isEnabled());
    files.names = {Path("part.iso")};
    Click("RzButton69");
    QVERIFY(Find<QPushButton>("RzButton70")->isEnabled());
    Click("RzButton70");
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 请指定正确的分割数！"));

    Set("RzEdit40", "3");
    Click("RzButton70");
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 分割MARC文件完成!"));
    QCOMPARE(testing::ReadFile(dir_.Path("part0.iso")),
             Records({"1", "2", "1"}));
    QCOMPARE(testing::ReadFile(dir_.Path("part1.iso")), Records({"3"}));

    Set("RzEdit39", dir_.Path("none.iso"));
    QVERIFY(Find<QLineEdit>("RzEdit42")->text().isEmpty());
  }

  void MergeJoinsTheListInOrder() {
    testing::RecordingMessages messages;
    testing::ScriptedFiles files;
    testing::ClickNavigationItem(window_.get(), "合并ISO文件");
    Click("RzButton76");
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 请选择要合并的MARC文件"));
    auto* list = Find<QTreeWidget>("RzListView1");
    for (const char* name : {"in.iso", "none.iso", "in.iso"}) {
      files.names = {Path(name)};
      Click("RzButton75");
    }
    list->topLevelItem(1)->setSelected(true);
    Click("RzButton78");
    QCOMPARE(list->topLevelItemCount(), 2);
    Click("RzButton76");
    QCOMPARE(messages.shown.last(),
             QStringLiteral("information: 请指定合并后的存放文件名"));
    Set("RzEdit48", dir_.Path("all.iso"));
    Click("RzButton76");
    QCOMPARE(messages.shown.last(), QStringLiteral("information: 合并完成！"));
    const std::string in = testing::ReadFile(dir_.Path("in.iso"));
    QCOMPARE(testing::ReadFile(dir_.Path("all.iso")), in + in);
    Click("RzButton79");
    QCOMPARE(list->topLevelItemCount(), 0);
  }
};

}  // namespace veltrane::app

QTEST_MAIN(veltrane::app::UtilityPagesTest)
#include "utility_pages_test.moc"
