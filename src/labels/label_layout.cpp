#include "labels/label_layout.h"

#include <algorithm>
#include <cmath>

namespace veltrane {
namespace {

// How many `size`s fit into `room`; a hair of tolerance, so 162 mm takes
// three 54 mm columns whatever the rounding of the decimal lengths.
int Fit(double room, double size) {
  if (size <= 0) return 1;
  return std::max(1, static_cast<int>(std::floor(room / size + 1e-9)));
}

}  // namespace

int LabelLayout::Columns() const {
  return Fit(paper_width - margin_left - margin_right, column_width);
}

int LabelLayout::Rows() const {
  return Fit(paper_height - margin_top - margin_bottom, label_height);
}

int64_t LabelLayout::Pages(int64_t labels) const {
  int64_t per_page = LabelsPerPage();
  return std::max<int64_t>(1, (labels + per_page - 1) / per_page);
}

double LabelLayout::LabelLeft(int64_t index) const {
  return margin_left + static_cast<double>(index % Columns()) * column_width;
}

double LabelLayout::LabelTop(int64_t index) const {
  int64_t line = (index % LabelsPerPage()) / Columns();
  return margin_top + static_cast<double>(line) * label_height;
}

std::span<const LabelLayoutSetting> LabelLayoutSettings() {
  using L = LabelLayout;
  static const LabelLayoutSetting kSettings[] = {
      {"paper_width", "纸张宽度 (mm)", 10, 1000,
       [](L& l) -> double& { return l.paper_width; }},
      {"paper_height", "纸张高度 (mm)", 10, 2000,
       [](L& l) -> double& { return l.paper_height; }},
      {"margin_top", "上边距 (mm)", 0, 500,
       [](L& l) -> double& { return l.margin_top; }},
      {"margin_bottom", "下边距 (mm)", 0, 500,
       [](L& l) -> double& { return l.margin_bottom; }},
      {"margin_left", "左边距 (mm)", 0, 500,
       [](L& l) -> double& { return l.margin_left; }},
      {"margin_right", "右边距 (mm)", 0, 500,
       [](L& l) -> double& { return l.margin_right; }},
      {"column_width", "书标宽度 (mm)", 5, 1000,
       [](L& l) -> double& { return l.column_width; }},
      {"label_height", "书标高度 (mm)", 5, 2000,
       [](L& l) -> double& { return l.label_height; }},
      {"text_left", "文字左边距 (mm)", 0, 1000,
       [](L& l) -> double& { return l.text_left; }},
      {"top_905d", "905d 上边距 (mm)", 0, 1000,
       [](L& l) -> double& { return l.texts[0].top; }},
      {"top_905e", "905e 上边距 (mm)", 0, 1000,
       [](L& l) -> double& { return l.texts[1].top; }},
      {"top_905v", "905v 上边距 (mm)", 0, 1000,
       [](L& l) -> double& { return l.texts[2].top; }},
      {"font_points", "字号 (磅)", 4, 72,
       [](L& l) -> double& { return l.font_points; }},
  };
  return kSettings;
}

}  // namespace veltrane
