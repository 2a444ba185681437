// Where spine labels go on the paper: the paper, its margins, the grid of
// labels (filled left to right, then the next line) and the three texts of
// a label. All lengths in millimetres; the defaults are the library's usual
// label stock, 162 x 279 mm with 24 labels of 54 x 33.073 mm.
#ifndef VELTRANE_LABELS_LABEL_LAYOUT_H_
#define VELTRANE_LABELS_LABEL_LAYOUT_H_

#include <array>
#include <cstdint>
#include <span>

#include "ops/label_list.h"

namespace veltrane {

struct LabelText {
  LabelField field;
  double top;    // from the label's top edge
  double width;  // longer text is cut off at the right

  bool operator==(const LabelText&) const = default;
};

struct LabelLayout {
  double paper_width = 162;
  double paper_height = 279;
  double margin_top = 0;
  double margin_left = 0;
  double margin_right = 0;
  double margin_bottom = 0.35;
  double column_width = 54;
  double label_height = 33.073;
  double text_left = 10.319;  // from the label's left edge, for all texts
  std::array<LabelText, 3> texts = {{{kLabel905d, 8.731, 35.19},
                                     {kLabel905e, 15.61, 34.66},
                                     {kLabel905v, 23.019, 35.19}}};
  double font_points = 16;

  // Labels across and down a page: as many as fit, at least one.
  int Columns() const;
  int Rows() const;
  int LabelsPerPage() const { return Columns() * Rows(); }
  // Pages for `labels` labels; one (empty) page for none.
  int64_t Pages(int64_t labels) const;
  // The top-left corner of label `index` (from 0) on its page.
  double LabelLeft(int64_t index) const;
  double LabelTop(int64_t index) const;

  bool operator==(const LabelLayout&) const = default;
};

// One adjustable number of a layout, for the layout dialog and the saved
// settings: its settings key, its caption (UTF-8), its range and where it
// lives in a layout.
struct LabelLayoutSetting {
  const char* key;
  const char* caption;
  double min;
  double max;
  double& (*value)(LabelLayout& layout);
};

// Every adjustable number: paper, margins, label grid, texts, font size.
std::span<const LabelLayoutSetting> LabelLayoutSettings();

}  // namespace veltrane

#endif  // VELTRANE_LABELS_LABEL_LAYOUT_H_
