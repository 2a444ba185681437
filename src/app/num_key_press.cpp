#include "app/num_key_press.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace veltrane::app {
namespace {

class NumKeyFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) {
      return QObject::eventFilter(watched, event);
    }
    const QString text = static_cast<QKeyEvent*>(event)->text();
    if (text.isEmpty() || !text.at(0).isPrint()) return false;
    for (QChar c : text) {
      if (!(c.isDigit() && c.unicode() < 128) && c != QLatin1Char('-')) {
        return true;  // swallowed
      }
    }
    return false;
  }
};

}  // namespace

void NumKeyPress(QWidget* edit) {
  edit->installEventFilter(new NumKeyFilter(edit));
}

}  // namespace veltrane::app
