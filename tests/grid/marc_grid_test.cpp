// TMarcGrid offscreen: rows from a record, the template, the popup menu and
// its shortcuts, the help panel, and the in-cell editor's keys.
#include "grid/marc_grid.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>

#include "grid/field_descriptions.h"
#include "grid/marc_info_panel.h"
#include "grid/marc_rich_edit.h"
#include "marc/record.h"
#include "support/test_support.h"
#include "util/encoding.h"

namespace veltrane::grid {
namespace {

// A record of 20 fields: GBK text, one tag without a description.
std::string TwentyFieldRecord() {
  std::vector<testing::RawField> fields = {
      {"001", "012000345"},
      {"005", "20240101120000.0"},
      {"010", "  $a7-5006-3772-1$dCNY25.00"},
      {"100", "  $a20240101d2024    em y0chiy0121    ea"},
      {"101", "0 $achi"},
      {"102", "  $aCN$b110000"},
      {"105", "  $ay   z   000yy"},
      {"106", "  $ar"},
      {"200", "1 $a" + Utf8ToGbk("红楼梦") + "$f" + Utf8ToGbk("曹雪芹著")},
      {"205", "  $a2nd ed."},
      {"210", "  $a" + Utf8ToGbk("北京") + "$c" + Utf8ToGbk("人民文学出版社")},
      {"215", "  $a520p$d21cm"},
      {"225", "2 $aClassics"},
      {"330", "  $a" + Utf8ToGbk("长篇小说。")},
      {"606", "0 $aNovel"},
      {"690", "  $aI242.4$v4"},
      {"701", " 0$aCao Xueqin"},
      {"801", " 0$aCN$bLIB$c20240101"},
      {"905", "  $aLIB$b0001$f2"},
      {"999", "  $alocal"}};
  return testing::IsoRecord(fields);
}

int RowOfTag(const TMarcGrid& grid, const QString& tag) {
  for (int row = 0; row < grid.RowCount(); ++row) {
    if (grid.Cell(row, 1) == tag) return row;
  }
  return -1;
}

QAction* MenuItem(const TMarcGrid& grid, const QString& caption) {
  for (QAction* action : grid.PopupMenu()->actions()) {
    if (action->text() == caption) return action;
  }
  qFatal("no menu item");
}

}  // namespace

class MarcGridTest : public QObject {
  Q_OBJECT

  // The grid on a window of its own, as a page holds it.
  struct Form {
    QWidget window;
    TMarcGrid* grid = new TMarcGrid;
    Form() {
      window.resize(760, 480);
      (new QVBoxLayout(&window))->addWidget(grid);
      window.show();
      QVERIFY(QTest::qWaitForWindowExposed(&window));
      grid->setFocus();
    }
    TMarcRichEdit* Editor() { return grid->findChild<TMarcRichEdit*>(); }
    void Select(int row, int column = 3) {
      grid->setCurrentIndex(grid->model()->index(row, column));
    }
  };

 private slots:
  void LoadsOneRowPerElementUnderTheTitles() {
    TMarcGrid grid;
    grid.LoadRecord(TwentyFieldRecord());
    QCOMPARE(grid.RowCount(), 21);  // the leader and 20 fields
    QCOMPARE(grid.model()->headerData(0, Qt::Horizontal).toString(), "说明");
    QCOMPARE(grid.model()->headerData(3, Qt::Horizontal).toString(), "数据");
    for (int column = 0; column < 3; ++column) {
      QVERIFY(grid.Cell(0, column).isEmpty());
    }
    QCOMPARE(grid.Cell(0, 3).size(), 24);
    const int title = RowOfTag(grid, "200");
    QCOMPARE(grid.Cell(title, 0), "题名与责任者");
    QCOMPARE(grid.Cell(title, 2), "1 ");
    QCOMPARE(grid.Cell(title, 3), "■a红楼梦■f曹雪芹著");
    QVERIFY(grid.Cell(RowOfTag(grid, "999"), 0).isEmpty());
    QCOMPARE(grid.Cell(RowOfTag(grid, "001"), 2), "");
    for (int row = 0; row < grid.RowCount(); ++row) {
      QVERIFY(grid.rowHeight(row) >= TMarcGrid::kDefaultRowHeight);
    }
  }

  void ShowsUtf8RecordsAsUtf8() {
    TMarcGrid grid;
    grid.LoadRecord(testing::IsoRecord({{"200", "1 $a红楼梦$e小说"}}));
    QCOMPARE(grid.Cell(1, 3), "■a红楼梦■e小说");
  }

  void AnUnreadableRecordLeavesOneEmptyRow() {
    TMarcGrid grid;
    grid.LoadRecord(TwentyFieldRecord());
    std::string bad = TwentyFieldRecord();
    bad.replace(12, 5, "0x049");
    QVERIFY_THROWS_EXCEPTION(MarcFormatError, grid.LoadRecord(bad));
    QCOMPARE(grid.RowCount(), 1);
    for (int column = 0; column < 4; ++column) {
      QVERIFY(grid.Cell(0, column).isEmpty());
    }
  }

  void TemplateAndClearFromThePopupMenu() {
    TMarcGrid grid;
    MenuItem(grid, "填入MARC模板")->trigger();
    QStringList tags;
    for (int row = 0; row < grid.RowCount(); ++row) tags << grid.Cell(row, 1);
    QCOMPARE(tags, QStringList({"", "001", "005", "010", "100", "101", "200",
                                "205", "210", "215", "225", "304", "306",
                                "313", "330", "690", "701", "702", "711",
                                "801", "905"}));
    // The leader as given, its record length counted afresh.
    QCOMPARE(grid.Cell(0, 3).mid(5), "nam0 2200265  450  ");
    QCOMPARE(grid.Cell(2, 3), "20050509164551");
    QCOMPARE(grid.Cell(3, 3), "■a■b■d");
    QCOMPARE(grid.Cell(6, 2).trimmed(), "2");
    QCOMPARE(grid.Cell(6, 3), "■a■d■e■f");
    QCOMPARE(grid.Cell(15, 3), "■a■v4");
    QVERIFY(grid.Cell(5, 2).trimmed().isEmpty());

    MenuItem(grid, "清空")->trigger();
    QCOMPARE(grid.RowCount(), 1);
    QVERIFY(grid.Cell(0, 1).isEmpty() && grid.Cell(0, 3).isEmpty());
  }

  void MenuOrderAndShortcuts() {
    TMarcGrid grid;
    QStringList items;
    for (QAction* action : grid.PopupMenu()->actions()) {
      items << (action->isSeparator()
                    ? QStringLiteral("-")
                    : action->text() + " " + action->shortcut().toString());
    }
    QCOMPARE(items, QStringList({"帮助 F1", "隐藏显示说明栏 F2", "-",
                                 "填入MARC模板 ", "清空 ", "-",
                                 "当前行下插入字段 Ctrl+Ins",
                                 "删除当前字段 Ctrl+Del"}));
  }

  void DescriptionTablesAreComplete() {
    const FieldDescriptions& tables = FieldDescriptions::Cnmarc();
    QCOMPARE(tables.FieldCount(), 160);
    QCOMPARE(tables.SubfieldCount(), 476);
    QCOMPARE(tables.FieldName("-98"), "原始编目员");
    QCOMPARE(tables.FieldName("912"), "获奖信息");
    QVERIFY(tables.FieldName("999").isNull());
    QStringList codes;
    for (const SubfieldDescription& row : tables.Subfields("200")) {
      codes << row.code;
    }
    QCOMPARE(codes.join(""), "ADEFabcdefghivz");
    QCOMPARE(FieldHelpText("905").split('\n').mid(0, 3),
             QStringList({"馆藏信息", "a：收藏单位代码", "b：登录号"}));
  }

  void HelpPanelFollowsTheCurrentRow() {
    Form form;
    form.grid->LoadRecord(TwentyFieldRecord());
    QTest::keyClick(form.grid, Qt::Key_F1);
    QVERIFY(form.grid->HelpChecked());
    TfraMMarcInfo* panel = form.grid->HelpPanel();
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->parentWidget(), &form.window);

    form.Select(RowOfTag(*form.grid, "200"));
    QCOMPARE(panel->Title(), "200字段说明及其子字段");
    QVERIFY(panel->Text().startsWith("题名与责任者\nA：正题名汉语拼音\n"));
    QVERIFY(panel->Text().contains("\na：正题名\n"));
    const int line = QFontMetrics(panel->findChild<QWidget*>("lbl")->font())
                         .lineSpacing();
    QVERIFY(panel->height() >= 16 * line + 30);

    form.Select(0);
    QCOMPARE(panel->Title(), "字段说明");
    QCOMPARE(panel->Text(), "MARC记录头标");

    form.Select(RowOfTag(*form.grid, "999"));
    QCOMPARE(panel->Title(), "999字段说明及其子字段");
    QCOMPARE(panel->Text(), "");
    QCOMPARE(panel->height(), line + 30);

    // Dragged by its title bar.
    QWidget* bar = panel->findChild<QWidget*>("rpTitle");
    const QPoint before = panel->pos();
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(10, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(40, 25),
                     bar->mapToGlobal(QPointF(40, 25)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(40, 25));
    QCOMPARE(panel->pos(), before + QPoint(30, 20));

    QTest::mouseClick(panel->findChild<QToolButton*>("SbtnClose"),
                      Qt::LeftButton);
    QVERIFY(!form.grid->HelpChecked());
    QVERIFY(!panel->isVisible());
  }

  void F2TwiceBringsTheDescriptionColumnBack() {
    Form form;
    form.grid->LoadRecord(TwentyFieldRecord());
    QTest::keyClick(form.grid, Qt::Key_F2);
    QVERIFY(form.grid->isColumnHidden(0));
    QTest::keyClick(form.grid, Qt::Key_F2);
    QVERIFY(!form.grid->isColumnHidden(0));
    QCOMPARE(form.grid->columnWidth(0), TMarcGrid::kDescriptionWidth);
    // The data column fills the rest of the width.
    int widths = 0;
    for (int column = 0; column < 4; ++column) {
      widths += form.grid->columnWidth(column);
    }
    QCOMPARE(widths, form.grid->viewport()->width());
  }

  void BackslashTypesARedMark() {
    Form form;
    form.grid->LoadRecord(TwentyFieldRecord());
    const int last = form.grid->RowCount() - 1;
    form.Select(last);
    QTest::keyClick(form.grid, Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(form.grid->RowCount(), last + 2);
    QCOMPARE(form.grid->currentIndex().row(), last + 1);
    TMarcRichEdit* editor = form.Editor();
    QVERIFY(editor && editor->isVisible());
    QTest::keyClick(editor, '\\');
    QTest::keyClicks(editor, "ax");
    QCOMPARE(editor->toPlainText(), "■ax");
    QTextCursor at(editor->document());
    at.setPosition(1);
    QCOMPARE(at.charFormat().foreground().color(), QColor(Qt::red));
    at.setPosition(2);
    QCOMPARE(at.charFormat().foreground().color(), QColor(Qt::black));
    QTest::keyClick(editor, Qt::Key_Escape);
    QCOMPARE(form.grid->Cell(last + 1, 3), "■ax");
    QVERIFY(!form.grid->IsEditing());
  }

  void EditorKeysMoveBetweenCells() {
    Form form;
    form.grid->LoadRecord(TwentyFieldRecord());
    const int last = form.grid->RowCount() - 1;
    form.Select(last);
    form.grid->edit(form.grid->currentIndex());
    // Enter in the last row keeps the rows and edits on in that row.
    QTest::keyClicks(form.Editor(), "!");
    QTest::keyClick(form.Editor(), Qt::Key_Return);
    QCOMPARE(form.grid->RowCount(), last + 1);
    QCOMPARE(form.grid->Cell(last, 3), "■alocal!");
    QCOMPARE(form.grid->currentIndex().row(), last);
    QVERIFY(form.grid->IsEditing());

    QTest::keyClick(form.Editor(), Qt::Key_Up);
    QCOMPARE(form.grid->currentIndex().row(), last - 1);
    QTest::keyClick(form.Editor(), Qt::Key_Home);
    QTest::keyClick(form.Editor(), Qt::Key_Left);
    QCOMPARE(form.grid->currentIndex().column(), 2);
    QVERIFY(form.grid->IsEditing());
    QTest::keyClick(form.Editor(), Qt::Key_End);
    QTest::keyClick(form.Editor(), Qt::Key_Right);
    QCOMPARE(form.grid->currentIndex().column(), 3);
  }

  void TheEditedRowGrowsWithItsText() {
    Form form;
    form.grid->LoadRecord(TwentyFieldRecord());
    form.Select(1);
    const int before = form.grid->rowHeight(1);
    form.grid->edit(form.grid->currentIndex());
    QTest::keyClicks(form.Editor(), QString(300, 'w'));
    QVERIFY(form.grid->rowHeight(1) > before);
    QVERIFY(form.Editor()->height() >= form.Editor()->ReqHeight());
  }

  void RowOperationsOutsideTheGridDoNothing() {
    TMarcGrid grid;
    grid.LoadRecord(TwentyFieldRecord());
    grid.InsertRowBelow(21);
    grid.DeleteRow(-1);
    QCOMPARE(grid.RowCount(), 21);
    grid.DeleteRow(1);
    QCOMPARE(grid.RowCount(), 20);
    QCOMPARE(grid.Cell(1, 1), "005");
  }
};

}  // namespace veltrane::grid

QTEST_MAIN(veltrane::grid::MarcGridTest)
#include "marc_grid_test.moc"
