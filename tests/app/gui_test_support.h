// Helpers for the GUI tests: a message presenter and a file chooser that
// record and answer, clicks on navigation items, and answering the record
// error dialog while an operation runs.
#ifndef VELTRANE_TESTS_APP_GUI_TEST_SUPPORT_H_
#define VELTRANE_TESTS_APP_GUI_TEST_SUPPORT_H_

#include <QObject>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <deque>
#include <optional>

#include "app/file_dialogs.h"
#include "app/messages.h"

namespace veltrane::testing {

// Records every message as "kind: text"; questions take `answers` in order
// (then No). Installs itself while alive.
class RecordingMessages : public app::MessagePresenter {
 public:
  RecordingMessages();
  ~RecordingMessages() override;
  void Information(QWidget*, const QString& text) override;
  bool Question(QWidget*, const QString& text) override;
  void Warning(QWidget*, const QString& text) override;
  void Error(QWidget*, const QString& text) override;

  QStringList shown;
  std::deque<bool> answers;
};

// Answers file dialogs from `names` in order (a null QString = Cancel; Cancel
// when none are left) and records
// the specs asked for. Installs itself while alive.
class ScriptedFiles : public app::FileChooser {
 public:
  ScriptedFiles();
  ~ScriptedFiles() override;
  std::optional<QString> Choose(QWidget*,
                                const app::FileDialogSpec& spec) override;

  std::deque<QString> names;
  std::vector<app::FileDialogSpec> asked;
};

// Types `text` into `widget` one character at a time as key events that
// carry the character (any script, unlike QTest::keyClicks).
void TypeText(QWidget* widget, const QString& text);

// The widget `name` under `root`; ends the test program when it is missing.
template <typename T>
T* Find(QWidget* root, const char* name) {
  T* widget = root->findChild<T*>(name);
  if (!widget) qFatal("no widget %s", name);
  return widget;
}

// Clicks the navigation item `caption` of `window` as a user would.
void ClickNavigationItem(QWidget* window, const QString& caption);

// While alive, answers each record error dialog that appears with the next
// of `answers` (true "继续", false "取消") and records the record numbers
// it showed.
class RecordErrorAnswerer : public QObject {
 public:
  explicit RecordErrorAnswerer(std::deque<bool> answers);
  QStringList shown_records;
  QStringList shown_files;

 private:
  void timerEvent(QTimerEvent*) override;
  std::deque<bool> answers_;
};

}  // namespace veltrane::testing

#endif  // VELTRANE_TESTS_APP_GUI_TEST_SUPPORT_H_
