// NumKeyPress lets digits, "-" and editing keys through and swallows the
// rest of what is typed.
#include "app/num_key_press.h"

#include <QLineEdit>
#include <QTest>

#include "gui_test_support.h"

namespace veltrane::app {

class NumKeyPressTest : public QObject {
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
};

}  // namespace veltrane::app

QTEST_MAIN(veltrane::app::NumKeyPressTest)
#include "num_key_press_test.moc"
