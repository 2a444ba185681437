#include "app/scan_field.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace veltrane::app {
namespace {

bool IsEnter(const QKeyEvent* key) {
  return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

class ScanKeys : public QObject {
 public:
  ScanKeys(QLineEdit* edit, QLabel* label, std::function<void()> on_enter)
      : QObject(edit),
        edit_(edit),
        label_(label),
        on_enter_(std::move(on_enter)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      label_->hide();
      if (IsEnter(static_cast<QKeyEvent*>(event))) {
        if (!edit_->text().trimmed().isEmpty()) on_enter_();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QLineEdit* edit_;
  QLabel* label_;
  std::function<void()> on_enter_;
};

class QuantityFilter : public QObject {
 public:
  QuantityFilter(QLineEdit* edit, std::function<void()> on_enter)
      : QObject(edit), on_enter_(std::move(on_enter)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) {
      return QObject::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (IsEnter(key)) {
      on_enter_();
      return true;
    }
    if (key->key() == Qt::Key_Backspace) return false;
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint()) return false;
    return !(text.size() == 1 && text.at(0) >= QLatin1Char('0') &&
             text.at(0) <= QLatin1Char('9'));
  }

 private:
  std::function<void()> on_enter_;
};

}  // namespace

ScanField MakeScanField(const QString& edit_name, const QString& label_name,
                        std::function<void()> on_enter) {
  ScanField field{new QLineEdit, new QLabel(QStringLiteral("非法ISBN/ISSN"))};
  field.edit->setObjectName(edit_name);
  field.invalid->setObjectName(label_name);
  field.invalid->setStyleSheet("color: red;");
  field.invalid->hide();
  field.edit->installEventFilter(
      new ScanKeys(field.edit, field.invalid, std::move(on_enter)));
  return field;
}

void QuantityKeys(QLineEdit* edit, std::function<void()> on_enter) {
  edit->installEventFilter(new QuantityFilter(edit, std::move(on_enter)));
}

}  // namespace veltrane::app
