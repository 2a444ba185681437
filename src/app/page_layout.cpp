#include "app/page_layout.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace veltrane::app {

QLineEdit* AddFileRow(QGridLayout* grid, int row, const QString& label,
                      const QString& edit_name, const QString& button_name,
                      const QString& button_caption,
                      const FileDialogSpec& spec) {
  auto* edit = new QLineEdit;
  edit->setObjectName(edit_name);
  auto* button = new QPushButton(button_caption);
  button->setObjectName(button_name);
  ConnectBrowse(button, edit, spec);
  if (label.isEmpty()) {
    grid->addWidget(edit, row, 0, 1, 2);
  } else {
    grid->addWidget(new QLabel(label), row, 0);
    grid->addWidget(edit, row, 1);
  }
  grid->addWidget(button, row, 2);
  return edit;
}

QGroupBox* MakeHelpBox(const QString& memo_name, const QString& text) {
  auto* box = new QGroupBox(QStringLiteral("功能说明："));
  auto* memo = new QPlainTextEdit(text);
  memo->setObjectName(memo_name);
  memo->setReadOnly(true);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(memo);
  box->setMaximumHeight(150);
  return box;
}

QPushButton* MakeButton(const QString& name, const QString& caption) {
  auto* button = new QPushButton(caption);
  button->setObjectName(name);
  return button;
}

QPushButton* MakeStartButton(const QString& name, const QString& caption) {
  QPushButton* button = MakeButton(name, caption);
  button->setMinimumWidth(96);
  return button;
}

}  // namespace veltrane::app
