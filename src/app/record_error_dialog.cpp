#include "app/record_error_dialog.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/text_codec.h"

namespace veltrane::app {

TfrmMessageBox::TfrmMessageBox() {
  setObjectName("frmMessageBox");
  setWindowTitle(QStringLiteral("提示信息："));
  setModal(true);

  auto* heading = new QLabel(QStringLiteral("出错了，是否继续处理？"));
  QFont bold = heading->font();
  bold.setBold(true);
  bold.setPixelSize(16);
  heading->setFont(bold);

  file_name_ = new QLineEdit;
  file_name_->setObjectName("edtFileName");
  rec_no_ = new QLineEdit;
  rec_no_->setObjectName("edtReco");
  marc_ = new QPlainTextEdit;
  marc_->setObjectName("memMarc");
  marc_->setLineWrapMode(QPlainTextEdit::NoWrap);
  marc_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  marc_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  for (QWidget* field :
       {static_cast<QWidget*>(file_name_), static_cast<QWidget*>(rec_no_),
        static_cast<QWidget*>(marc_)}) {
    field->setProperty("readOnly", true);
  }

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("文件："), file_name_);
  form->addRow(QStringLiteral("记录："), rec_no_);
  form->addRow(QStringLiteral("MARC："), marc_);

  auto* go_on = new QPushButton(QStringLiteral("继续"));
  go_on->setObjectName("btnOk");
  go_on->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("取消"));
  cancel->setObjectName("btnCancle");
  connect(go_on, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(go_on);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addLayout(form);
  layout->addLayout(buttons);
  resize(439, 238);
}

void TfrmMessageBox::Show(const RecordFailure& failure) {
  file_name_->setText(FromPath(failure.file_name));
  rec_no_->setText(QString::number(failure.rec_no));
  marc_->setPlainText(RecordForDisplay(failure.record));
}

bool TfrmMessageBox::Ask(const RecordFailure& failure) {
  static QPointer<TfrmMessageBox> dialog;
  if (!dialog) {
    dialog = new TfrmMessageBox;
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, dialog.data(),
                     &QObject::deleteLater);
  }
  dialog->Show(failure);
  return dialog->exec() == QDialog::Accepted;
}

}  // namespace veltrane::app
