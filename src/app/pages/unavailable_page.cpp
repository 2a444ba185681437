#include "app/pages/unavailable_page.h"

#include <QLabel>
#include <QVBoxLayout>

namespace veltrane::app {

UnavailablePage::UnavailablePage(const QString& caption, QWidget* parent)
    : QWidget(parent) {
  auto* text = new QLabel(QStringLiteral("“%1”功能尚未提供，敬请期待。")
                              .arg(caption));
  text->setObjectName("lblUnavailable");
  text->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
}

}  // namespace veltrane::app
