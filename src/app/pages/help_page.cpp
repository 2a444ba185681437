#include "app/pages/help_page.h"

#include <QFile>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace veltrane::app {

HelpPage::HelpPage(QWidget* parent)
    : QWidget(parent), browser_(new QTextBrowser) {
  browser_->setObjectName("WebBrowser1");
  browser_->setOpenLinks(true);
  browser_->setOpenExternalLinks(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
}

void HelpPage::Load() {
  QFile document(QStringLiteral(":/help/cnmarc_help.html"));
  if (!document.open(QIODevice::ReadOnly)) return;
  browser_->setHtml(QString::fromUtf8(document.readAll()));
  browser_->verticalScrollBar()->setValue(0);
  browser_->moveCursor(QTextCursor::Start);
}

}  // namespace veltrane::app
