// TMarcRichEdit: the grid's in-cell editor. The backslash key types a "■"
// in the mark colour; other characters come in the ink colour. Enter and
// the arrow keys that leave the text (Up, Down, Left at the start, Right at
// the end) ask the grid to move on; Escape asks it to end the edit. As lines
// wrap the editor asks for more height.
#ifndef VELTRANE_GRID_MARC_RICH_EDIT_H_
#define VELTRANE_GRID_MARC_RICH_EDIT_H_

#include <QColor>
#include <QTextEdit>

namespace veltrane::grid {

class TMarcRichEdit : public QTextEdit {
  Q_OBJECT
 public:
  TMarcRichEdit(const QColor& ink, const QColor& mark,
                QWidget* parent = nullptr);

  // Loads `text` with its marks coloured; the caret goes to the end.
  void SetMarkedText(const QString& text);

  // The height the text last asked for.
  int ReqHeight() const { return req_height_; }

 signals:
  // The edit is to end and continue in the neighbouring cell.
  void moveRequested(int row_step, int column_step);
  // The edit is to end here (Escape).
  void finishRequested();
  // The text needs `height` pixels.
  void heightRequested(int height);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void AskForHeight();

  QColor ink_;
  QColor mark_;
  int req_height_ = 0;
};

}  // namespace veltrane::grid

#endif  // VELTRANE_GRID_MARC_RICH_EDIT_H_
