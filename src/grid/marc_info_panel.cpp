#include "grid/marc_info_panel.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

namespace veltrane::grid {
namespace {
constexpr int kChrome = 30;  // title bar and margins around the text
constexpr int kTextMargin = 4;
}  // namespace

TfraMMarcInfo::TfraMMarcInfo(QWidget* parent)
    : QFrame(parent),
      title_(new QLabel),
      close_(new QToolButton),
      text_(new QLabel) {
  setObjectName("fraMMarcInfo");
  setFrameShape(QFrame::Box);
  setAutoFillBackground(true);
  setStyleSheet(QStringLiteral("#fraMMarcInfo { background: white; }"));

  auto* bar = new QWidget;
  bar->setObjectName("rpTitle");
  bar->setStyleSheet(QStringLiteral("#rpTitle { background: #000080; }"));
  bar->setAttribute(Qt::WA_StyledBackground);
  bar->setCursor(Qt::SizeAllCursor);
  bar->installEventFilter(this);
  title_->setObjectName("rpTitleText");
  title_->setStyleSheet(
      QStringLiteral("color: white; font-weight: bold; background: none;"));
  close_->setObjectName("SbtnClose");
  close_->setToolTip(QStringLiteral("关闭"));
  close_->setText(QStringLiteral("×"));
  close_->setAutoRaise(true);
  close_->setStyleSheet(QStringLiteral("color: white;"));
  connect(close_, &QToolButton::clicked, this, &TfraMMarcInfo::closeClicked);
  auto* bar_layout = new QHBoxLayout(bar);
  bar_layout->setContentsMargins(4, 1, 1, 1);
  bar_layout->addWidget(title_, 1);
  bar_layout->addWidget(close_);

  text_->setObjectName("lbl");
  text_->setWordWrap(true);
  text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  text_->setContentsMargins(kTextMargin, 0, kTextMargin, 0);
  text_->setStyleSheet(QStringLiteral("background: white;"));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->setSpacing(2);
  layout->addWidget(bar);
  layout->addWidget(text_, 1);
  resize(kWidth, 200);
}

void TfraMMarcInfo::SetContent(const QString& title, const QString& text) {
  title_->setText(title);
  text_->setText(text);
  resize(kWidth,
         WrappedLines() * QFontMetrics(text_->font()).lineSpacing() + kChrome);
}

QString TfraMMarcInfo::Title() const { return title_->text(); }
QString TfraMMarcInfo::Text() const { return text_->text(); }

int TfraMMarcInfo::WrappedLines() const {
  if (text_->text().isEmpty()) return 1;
  QFontMetrics metrics(text_->font());
  const int width = kWidth - 2 - 2 * kTextMargin;
  QRect bounds = metrics.boundingRect(QRect(0, 0, width, INT_MAX),
                                      Qt::TextWordWrap, text_->text());
  return std::max(1, (bounds.height() + metrics.lineSpacing() / 2) /
                         metrics.lineSpacing());
}

bool TfraMMarcInfo::eventFilter(QObject* object, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    auto* press = static_cast<QMouseEvent*>(event);
    if (press->button() == Qt::LeftButton) {
      drag_start_ = mapFromGlobal(press->globalPosition().toPoint());
      raise();
      return true;
    }
  } else if (event->type() == QEvent::MouseMove) {
    auto* move = static_cast<QMouseEvent*>(event);
    if (move->buttons() & Qt::LeftButton) {
      QPoint to = parentWidget()->mapFromGlobal(move->globalPosition().toPoint());
      this->move(to - drag_start_);
      return true;
    }
  }
  return QFrame::eventFilter(object, event);
}

}  // namespace veltrane::grid
