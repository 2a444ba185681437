// Draws the label list onto paper: a printer, the print preview or a PDF
// file. Needs a QGuiApplication (for the fonts); a program without one
// creates a HeadlessGui first.
#ifndef VELTRANE_LABELS_LABEL_RENDERER_H_
#define VELTRANE_LABELS_LABEL_RENDERER_H_

#include <QFont>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "labels/label_layout.h"
#include "ops/label_list.h"

class QGuiApplication;
class QPagedPaintDevice;

namespace veltrane {

// The labels' font: Liberation Sans (Arial's metrics) at the layout's size,
// with Chinese characters taken from a CJK font.
QFont LabelFont(const LabelLayout& layout);

// Sets the device's paper to the layout's paper without margins, so that
// positions count from the paper's corner.
void SetLabelPaper(QPagedPaintDevice& device, const LabelLayout& layout);

// Paints one label per row, in order, from the first page of `device`
// (SetLabelPaper first). Throws std::runtime_error when the device cannot
// be painted on.
void PaintLabels(QPagedPaintDevice& device, const LabelLayout& layout,
                 std::span<const LabelRow> rows);

// Writes the labels as a PDF file to `path`, which is replaced only when
// the file is complete. Throws std::system_error or std::runtime_error.
void WriteLabelsPdf(const std::string& path, const LabelLayout& layout,
                    std::span<const LabelRow> rows);

// Why `pdf` may not take the labels of `marc_file` (UTF-8): it names that
// very file, which the PDF would replace. nullopt when it may.
std::optional<std::string> PdfOutputProblem(const std::string& pdf,
                                            const std::string& marc_file);

// A QGuiApplication on the offscreen platform for programs without a
// window (veltrane-cli), when none exists yet; Qt's chatter is silenced.
class HeadlessGui {
 public:
  HeadlessGui();
  ~HeadlessGui();
  HeadlessGui(const HeadlessGui&) = delete;
  HeadlessGui& operator=(const HeadlessGui&) = delete;

 private:
  std::unique_ptr<QGuiApplication> app_;
};

}  // namespace veltrane

#endif  // VELTRANE_LABELS_LABEL_RENDERER_H_
