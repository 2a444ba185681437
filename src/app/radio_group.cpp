#include "app/radio_group.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace veltrane::app {

RadioGroup::RadioGroup(const QString& name, const QString& caption,
                       const QStringList& items, int selected, int columns,
                       QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this)) {
  setObjectName(name);
  auto* layout = new QGridLayout(this);
  if (caption.isEmpty()) {  // just the buttons, inside the page's own group
    setFlat(true);
    setStyleSheet("QGroupBox { border: none; margin: 0; padding: 0; }");
    layout->setContentsMargins(0, 0, 0, 0);
  }
  const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i]);
    button->setObjectName(name + "_" + QString::number(i));
    buttons_->addButton(button, i);
    layout->addWidget(button, i % rows, i / rows);
  }
  setItemIndex(selected);
  connect(buttons_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
    if (on) emit itemIndexChanged(id);
  });
}

int RadioGroup::itemIndex() const { return buttons_->checkedId(); }

void RadioGroup::setItemIndex(int index) {
  if (QAbstractButton* button = buttons_->button(index))
    button->setChecked(true);
}

}  // namespace veltrane::app
