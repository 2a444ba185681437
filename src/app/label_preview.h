// The label print preview "书标打印": the label sheets as they will print,
// with printing to a printer, export as PDF and the layout dialog (whose
// choice is remembered for the next time).
#ifndef VELTRANE_APP_LABEL_PREVIEW_H_
#define VELTRANE_APP_LABEL_PREVIEW_H_

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "labels/label_layout.h"
#include "ops/label_list.h"

class QPrinter;
class QPrintPreviewWidget;

namespace veltrane::app {

class LabelPreview : public QDialog {
  Q_OBJECT
 public:
  // `rows` (the labels of `marc_file`) must outlive the window.
  LabelPreview(const std::vector<LabelRow>& rows, std::string marc_file,
               QWidget* parent = nullptr);
  ~LabelPreview() override;

  const LabelLayout& layout() const { return layout_; }
  // The number of sheets the preview shows.
  int PageCount() const;

 private:
  void Print();
  void ExportPdf();
  void EditLayout();
  // Paints the labels on `printer`; false after telling the user why not.
  bool Paint(QPrinter& printer);

  const std::vector<LabelRow>& rows_;
  std::string marc_file_;
  LabelLayout layout_;
  std::unique_ptr<QPrinter> printer_;
  QPrintPreviewWidget* preview_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_LABEL_PREVIEW_H_
