// Every message box of the program goes through one presenter, titled
// "提示信息". The default shows real boxes; tests install their own.
#ifndef VELTRANE_APP_MESSAGES_H_
#define VELTRANE_APP_MESSAGES_H_

#include <QString>

class QWidget;

namespace veltrane::app {

class MessagePresenter {
 public:
  virtual ~MessagePresenter() = default;
  virtual void Information(QWidget* parent, const QString& text) = 0;
  // A Yes/No question; true for Yes.
  virtual bool Question(QWidget* parent, const QString& text) = 0;
  virtual void Warning(QWidget* parent, const QString& text) = 0;
  virtual void Error(QWidget* parent, const QString& text) = 0;
};

// The presenter in use.
MessagePresenter& Messages();

// Installs `presenter` (not owned); nullptr restores the real boxes.
void SetMessagePresenter(MessagePresenter* presenter);

inline const QString kMessageTitle = QStringLiteral("提示信息");

}  // namespace veltrane::app

#endif  // VELTRANE_APP_MESSAGES_H_
