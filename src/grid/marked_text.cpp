#include "grid/marked_text.h"

#include <QFont>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace veltrane::grid {

void InsertMarkedText(QTextCursor& cursor, const QString& text,
                      const QColor& ink, const QColor& mark) {
  QTextCharFormat plain;
  plain.setForeground(ink);
  plain.setFontWeight(QFont::Normal);
  QTextCharFormat marked = plain;
  marked.setForeground(mark);
  qsizetype start = 0;
  while (start <= text.size()) {
    qsizetype found = text.indexOf(kMark, start);
    qsizetype end = found < 0 ? text.size() : found;
    if (end > start) cursor.insertText(text.mid(start, end - start), plain);
    if (found < 0) break;
    cursor.insertText(kMark, marked);
    start = found + kMark.size();
  }
  cursor.setCharFormat(plain);
}

std::unique_ptr<QTextDocument> MarkedDocument(const QString& text,
                                              const QFont& font, int width,
                                              const QColor& ink,
                                              const QColor& mark) {
  auto document = std::make_unique<QTextDocument>();
  document->setDefaultFont(font);
  document->setDocumentMargin(0);
  document->setTextWidth(width);
  QTextCursor cursor(document.get());
  InsertMarkedText(cursor, text, ink, mark);
  return document;
}

}  // namespace veltrane::grid
