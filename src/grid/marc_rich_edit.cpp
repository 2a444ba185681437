#include "grid/marc_rich_edit.h"

#include <QKeyEvent>
#include <QTextCursor>
#include <QTextDocument>
#include <cmath>

#include "grid/marked_text.h"

namespace veltrane::grid {

TMarcRichEdit::TMarcRichEdit(const QColor& ink, const QColor& mark,
                             QWidget* parent)
    : QTextEdit(parent), ink_(ink), mark_(mark) {
  setObjectName("MarcRichEdit");
  setFrameShape(QFrame::NoFrame);
  setAcceptRichText(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTabChangesFocus(true);
  document()->setDocumentMargin(2);
  connect(document(), &QTextDocument::contentsChanged, this,
          &TMarcRichEdit::AskForHeight);
}

void TMarcRichEdit::SetMarkedText(const QString& text) {
  clear();
  QTextCursor cursor(document());
  InsertMarkedText(cursor, text, ink_, mark_);
  setTextCursor(cursor);
}

void TMarcRichEdit::AskForHeight() {
  int height = static_cast<int>(std::ceil(document()->size().height()));
  if (height == req_height_) return;
  req_height_ = height;
  emit heightRequested(height);
}

void TMarcRichEdit::keyPressEvent(QKeyEvent* event) {
  const QTextCursor cursor = textCursor();
  const bool plain = event->modifiers() == Qt::NoModifier ||
                     event->modifiers() == Qt::KeypadModifier;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
      if (plain) return emit moveRequested(1, 0);
      break;
    case Qt::Key_Up:
      if (plain) return emit moveRequested(-1, 0);
      break;
    case Qt::Key_Left:
      if (plain && cursor.atStart() && !cursor.hasSelection()) {
        return emit moveRequested(0, -1);
      }
      break;
    case Qt::Key_Right:
      if (plain && cursor.atEnd() && !cursor.hasSelection()) {
        return emit moveRequested(0, 1);
      }
      break;
    case Qt::Key_Escape:
      return emit finishRequested();
    default:
      break;
  }
  if (event->text() == QStringLiteral("\\")) {
    QTextCursor typing = textCursor();
    InsertMarkedText(typing, kMark, ink_, mark_);
    setTextCursor(typing);
    return;
  }
  if (!event->text().isEmpty()) setTextColor(ink_);
  QTextEdit::keyPressEvent(event);
}

}  // namespace veltrane::grid
