#include "app/key_filters.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <functional>

namespace veltrane::app {
namespace {

// Swallows typed characters that `accept` refuses; keys that type nothing
// (Backspace, Enter, arrows, ...) always pass.
class CharacterFilter : public QObject {
 public:
  CharacterFilter(QObject* parent, std::function<bool(QChar)> accept)
      : QObject(parent), accept_(std::move(accept)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) {
      return QObject::eventFilter(watched, event);
    }
    const QString text = static_cast<QKeyEvent*>(event)->text();
    if (text.isEmpty() || !text.at(0).isPrint()) return false;
    for (QChar c : text) {
      if (!accept_(c)) return true;  // swallowed
    }
    return false;
  }

 private:
  std::function<bool(QChar)> accept_;
};

bool IsAsciiDigit(QChar c) {
  return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

}  // namespace

void NumKeyPress(QWidget* edit) {
  edit->installEventFilter(new CharacterFilter(
      edit, [](QChar c) { return IsAsciiDigit(c) || c == QLatin1Char('-'); }));
}

void FieldListKeyPress(QWidget* edit) {
  edit->installEventFilter(new CharacterFilter(edit, [](QChar c) {
    return IsAsciiDigit(c) || c == QLatin1Char(',') ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
  }));
}

void AddressKeyPress(QLineEdit* edit) {
  edit->installEventFilter(new CharacterFilter(edit, [edit](QChar c) {
    if (edit->hasSelectedText()) return true;
    qsizetype length = edit->text().size();
    if (length < 3) return IsAsciiDigit(c) || c == QLatin1Char('-');
    if (length == 3) return c >= QLatin1Char('a') && c <= QLatin1Char('z');
    return false;
  }));
}

}  // namespace veltrane::app
