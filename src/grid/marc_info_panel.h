// TfraMMarcInfo: the floating help panel of the MARC grid. A dark blue title
// bar (dragging it moves the panel) with a close button, and a word-wrapped
// text on white whose height sets the panel's: wrapped lines (at least one)
// times the line height plus 30 pixels.
#ifndef VELTRANE_GRID_MARC_INFO_PANEL_H_
#define VELTRANE_GRID_MARC_INFO_PANEL_H_

#include <QFrame>
#include <QPoint>

class QLabel;
class QToolButton;

namespace veltrane::grid {

class TfraMMarcInfo : public QFrame {
  Q_OBJECT
 public:
  static constexpr int kWidth = 180;

  explicit TfraMMarcInfo(QWidget* parent);

  void SetContent(const QString& title, const QString& text);
  QString Title() const;
  QString Text() const;
  // How many lines the text wraps to (at least one).
  int WrappedLines() const;

 signals:
  void closeClicked();

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  QLabel* title_;         // rpTitle
  QToolButton* close_;    // SbtnClose
  QLabel* text_;          // lbl
  QPoint drag_start_;     // where the title bar was grabbed, panel coordinates
};

}  // namespace veltrane::grid

#endif  // VELTRANE_GRID_MARC_INFO_PANEL_H_
