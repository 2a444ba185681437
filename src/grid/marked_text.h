// Field data as people see it: plain text in which every "■" (a subfield
// delimiter) is drawn in a colour of its own.
#ifndef VELTRANE_GRID_MARKED_TEXT_H_
#define VELTRANE_GRID_MARKED_TEXT_H_

#include <QColor>
#include <QString>
#include <memory>

class QFont;
class QTextCursor;
class QTextDocument;

namespace veltrane::grid {

inline const QString kMark = QStringLiteral("■");

// Inserts `text` at `cursor`: "■" in `mark`, everything else in `ink`,
// regular style.
void InsertMarkedText(QTextCursor& cursor, const QString& text,
                      const QColor& ink, const QColor& mark);

// A document holding `text` so marked, laid out `width` pixels wide (the
// cell less its 2-pixel margins) in `font`.
std::unique_ptr<QTextDocument> MarkedDocument(const QString& text,
                                              const QFont& font, int width,
                                              const QColor& ink,
                                              const QColor& mark);

}  // namespace veltrane::grid

#endif  // VELTRANE_GRID_MARKED_TEXT_H_
