#include "app/label_layout_dialog.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace veltrane::app {

LabelLayoutDialog::LabelLayoutDialog(const LabelLayout& layout, QWidget* parent)
    : QDialog(parent), base_(layout) {
  setObjectName("dlgLabelLayout");
  setWindowTitle(QStringLiteral("书标版式"));
  auto* form = new QFormLayout;
  for (const LabelLayoutSetting& setting : LabelLayoutSettings()) {
    auto* box = new QDoubleSpinBox;
    box->setObjectName(QStringLiteral("edt_") + setting.key);
    box->setDecimals(3);
    box->setRange(setting.min, setting.max);
    box->setSingleStep(0.5);
    form->addRow(QString::fromUtf8(setting.caption), box);
    boxes_.push_back(box);
  }
  Show(layout);

  auto* buttons =
      new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
  QPushButton* reset = buttons->addButton(QStringLiteral("恢复默认"),
                                          QDialogButtonBox::ResetRole);
  reset->setObjectName("btnResetLayout");
  connect(reset, &QPushButton::clicked, this, [this] { Show(LabelLayout{}); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* main = new QVBoxLayout(this);
  main->addLayout(form);
  main->addWidget(buttons);
}

LabelLayout LabelLayoutDialog::layout() const {
  LabelLayout layout = base_;
  std::span<const LabelLayoutSetting> settings = LabelLayoutSettings();
  for (size_t i = 0; i < settings.size(); ++i) {
    settings[i].value(layout) = boxes_[i]->value();
  }
  return layout;
}

void LabelLayoutDialog::Show(const LabelLayout& layout) {
  LabelLayout shown = layout;
  std::span<const LabelLayoutSetting> settings = LabelLayoutSettings();
  for (size_t i = 0; i < settings.size(); ++i) {
    boxes_[i]->setValue(settings[i].value(shown));
  }
}

}  // namespace veltrane::app
