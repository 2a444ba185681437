#include "gui_test_support.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "app/navigation_bar.h"

namespace veltrane::testing {

RecordingMessages::RecordingMessages() { app::SetMessagePresenter(this); }
RecordingMessages::~RecordingMessages() { app::SetMessagePresenter(nullptr); }

void RecordingMessages::Information(QWidget*, const QString& text) {
  shown << "information: " + text;
}
bool RecordingMessages::Question(QWidget*, const QString& text) {
  shown << "question: " + text;
  if (answers.empty()) return false;
  bool answer = answers.front();
  answers.pop_front();
  return answer;
}
void RecordingMessages::Warning(QWidget*, const QString& text) {
  shown << "warning: " + text;
}
void RecordingMessages::Error(QWidget*, const QString& text) {
  shown << "error: " + text;
}

ScriptedFiles::ScriptedFiles() { app::SetFileChooser(this); }
ScriptedFiles::~ScriptedFiles() { app::SetFileChooser(nullptr); }

std::optional<QString> ScriptedFiles::Choose(QWidget*,
                                             const app::FileDialogSpec& spec) {
  asked.push_back(spec);
  if (names.empty()) return std::nullopt;
  QString name = names.front();
  names.pop_front();
  if (name.isNull()) return std::nullopt;
  return name;
}

void TypeText(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
  }
}

void ClickNavigationItem(QWidget* window, const QString& caption) {
  auto* bar = window->findChild<app::NavigationBar*>("RzGroupBar1");
  QVERIFY(bar);
  QTreeWidgetItem* item = bar->Item(caption);
  QVERIFY2(item, qPrintable(caption));
  bar->scrollToItem(item);
  QTest::mouseClick(bar->viewport(), Qt::LeftButton, {},
                    bar->visualItemRect(item).center());
}

RecordErrorAnswerer::RecordErrorAnswerer(std::deque<bool> answers)
    : answers_(std::move(answers)) {
  startTimer(10);
}

void RecordErrorAnswerer::timerEvent(QTimerEvent*) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() != "frmMessageBox" || !widget->isVisible()) {
      continue;
    }
    shown_records << widget->findChild<QLineEdit*>("edtReco")->text();
    shown_files << widget->findChild<QLineEdit*>("edtFileName")->text();
    bool go_on = answers_.empty() ? true : answers_.front();
    if (!answers_.empty()) answers_.pop_front();
    widget->findChild<QPushButton*>(go_on ? "btnOk" : "btnCancle")->click();
  }
}

}  // namespace veltrane::testing
