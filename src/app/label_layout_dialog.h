// The layout dialog of the label preview: every adjustable number of the
// label layout in one form, "恢复默认" for the default label stock.
#ifndef VELTRANE_APP_LABEL_LAYOUT_DIALOG_H_
#define VELTRANE_APP_LABEL_LAYOUT_DIALOG_H_

#include <QDialog>
#include <vector>

#include "labels/label_layout.h"

class QDoubleSpinBox;

namespace veltrane::app {

class LabelLayoutDialog : public QDialog {
  Q_OBJECT
 public:
  explicit LabelLayoutDialog(const LabelLayout& layout,
                             QWidget* parent = nullptr);

  // The layout as the form shows it.
  LabelLayout layout() const;

 private:
  void Show(const LabelLayout& layout);

  LabelLayout base_;                    // the fields the form does not show
  std::vector<QDoubleSpinBox*> boxes_;  // one per LabelLayoutSettings()
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_LABEL_LAYOUT_DIALOG_H_
