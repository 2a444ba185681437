#include "app/messages.h"

#include <QMessageBox>

namespace veltrane::app {
namespace {

class BoxPresenter : public MessagePresenter {
 public:
  void Information(QWidget* parent, const QString& text) override {
    QMessageBox::information(parent, kMessageTitle, text);
  }
  bool Question(QWidget* parent, const QString& text) override {
    return QMessageBox::question(parent, kMessageTitle, text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
  }
  void Warning(QWidget* parent, const QString& text) override {
    QMessageBox::warning(parent, kMessageTitle, text);
  }
  void Error(QWidget* parent, const QString& text) override {
    QMessageBox::critical(parent, kMessageTitle, text);
  }
};

BoxPresenter boxes;
MessagePresenter* current = &boxes;

}  // namespace

MessagePresenter& Messages() { return *current; }

void SetMessagePresenter(MessagePresenter* presenter) {
  current = presenter ? presenter : &boxes;
}

}  // namespace veltrane::app
