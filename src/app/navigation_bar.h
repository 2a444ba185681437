// RzGroupBar1: the navigation bar, the open groups of PageTable() with the
// exit item at the end. Clicking an item selects it (the only highlighted
// item in the bar) and emits itemChosen with its caption.
#ifndef VELTRANE_APP_NAVIGATION_BAR_H_
#define VELTRANE_APP_NAVIGATION_BAR_H_

#include <QTreeWidget>

namespace veltrane::app {

inline const QString kExitCaption = QStringLiteral("退出(E&xit)");

class NavigationBar : public QTreeWidget {
  Q_OBJECT
 public:
  explicit NavigationBar(QWidget* parent = nullptr);

  // The item with this caption, or nullptr.
  QTreeWidgetItem* Item(const QString& caption) const;
  // The caption of the highlighted item (empty when none).
  QString HighlightedCaption() const;

 signals:
  void itemChosen(const QString& caption);
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_NAVIGATION_BAR_H_
