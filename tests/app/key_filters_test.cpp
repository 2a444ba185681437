// The key filters of the number and field-address edit boxes.
#include "app/key_filters.h"

#include <QLineEdit>
#include <QTest>

#include "gui_test_support.h"

namespace veltrane::app {

class KeyFiltersTest : public QObject {
  Q_OBJECT

 private slots:
  void KeepsDigitsMinusAndEditingKeys() {
    QLineEdit edit;
    NumKeyPress(&edit);
    bool entered = false;
    connect(&edit, &QLineEdit::returnPressed, [&] { entered = true; });
    testing::TypeText(&edit, QStringLiteral("1a2 -３x4"));
    QCOMPARE(edit.text(), QStringLiteral("12-4"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.text(), QStringLiteral("12-"));
    QTest::keyClick(&edit, Qt::Key_Return);
    QVERIFY(entered);
  }

  void AddressTakesTagThenOneLowerCaseCode() {
    QLineEdit edit;
    AddressKeyPress(&edit);
    testing::TypeText(&edit, QStringLiteral("9a0-5fFg"));
    QCOMPARE(edit.text(), QStringLiteral("90-f"));
    edit.selectAll();
    testing::TypeText(&edit, QStringLiteral("x"));
    QCOMPARE(edit.text(), QStringLiteral("x"));
  }
};

}  // namespace veltrane::app

QTEST_MAIN(veltrane::app::KeyFiltersTest)
#include "key_filters_test.moc"
