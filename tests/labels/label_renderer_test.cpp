#include "labels/label_renderer.h"

#include <gtest/gtest.h>

#include "support/pdf_text.h"
#include "support/test_support.h"
#include "util/encoding.h"

namespace veltrane {
namespace {

using testing::PdfText;
using testing::ReadPdfText;
using testing::TempDir;

constexpr double kTolerance = 0.2;  // mm

// Rows whose texts name their label: "D7", "E7", "V7" for row 7.
std::vector<LabelRow> NumberedRows(int count) {
  std::vector<LabelRow> rows(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    rows[i][kLabel905d] = "D" + std::to_string(i);
    rows[i][kLabel905e] = "E" + std::to_string(i);
    rows[i][kLabel905v] = "V" + std::to_string(i);
  }
  return rows;
}

class LabelRendererTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing::HavePdfToText()) GTEST_SKIP() << "pdftotext missing";
  }
  PdfText Render(const LabelLayout& layout, const std::vector<LabelRow>& rows) {
    WriteLabelsPdf(dir_.Path("labels.pdf"), layout, rows);
    return ReadPdfText(dir_.Path("labels.pdf"));
  }
  // The three texts of row `i` start where the layout puts them.
  void ExpectLabelAt(const PdfText& pdf, const LabelLayout& layout, int i,
                     int page, double left, double top) {
    SCOPED_TRACE("label " + std::to_string(i));
    const char* prefixes[] = {"D", "E", "V"};
    for (size_t t = 0; t < 3; ++t) {
      auto word = pdf.Find(prefixes[t] + std::to_string(i));
      ASSERT_TRUE(word.has_value()) << prefixes[t];
      EXPECT_EQ(word->page, page);
      EXPECT_NEAR(word->left, left + layout.text_left, kTolerance);
      EXPECT_NEAR(word->top, top + layout.texts[t].top, kTolerance);
    }
  }
  HeadlessGui gui_;
  TempDir dir_;
};

TEST_F(LabelRendererTest, TwentyFiveLabelsOnTwoPagesAtTheirPlaces) {
  LabelLayout layout;
  PdfText pdf = Render(layout, NumberedRows(25));
  ASSERT_EQ(pdf.pages.size(), 2u);
  for (const auto& [width, height] : pdf.pages) {
    EXPECT_NEAR(width, 162, kTolerance);
    EXPECT_NEAR(height, 279, kTolerance);
  }
  ExpectLabelAt(pdf, layout, 0, 0, 0, 0);
  ExpectLabelAt(pdf, layout, 1, 0, 54, 0);
  ExpectLabelAt(pdf, layout, 23, 0, 108, 7 * 33.073);
  ExpectLabelAt(pdf, layout, 24, 1, 0, 0);
  EXPECT_EQ(pdf.words.size(), 25u * 3);
  // The texts' own offsets within a label.
  EXPECT_NEAR(pdf.Find("D0")->top, 8.731, kTolerance);
  EXPECT_NEAR(pdf.Find("E0")->top, 15.61, kTolerance);
  EXPECT_NEAR(pdf.Find("V0")->top, 23.019, kTolerance);
  EXPECT_NEAR(pdf.Find("D0")->left, 10.319, kTolerance);
}

TEST_F(LabelRendererTest, AdjustedLayoutMovesPaperGridAndTexts) {
  LabelLayout layout;
  layout.paper_width = 100;
  layout.paper_height = 120;
  layout.margin_top = 5;
  layout.margin_left = 3;
  layout.column_width = 45;
  layout.label_height = 25;
  layout.text_left = 2;
  layout.texts[1].top = 12;
  layout.font_points = 10;
  EXPECT_EQ(layout.Columns(), 2);
  EXPECT_EQ(layout.Rows(), 4);
  PdfText pdf = Render(layout, NumberedRows(9));
  ASSERT_EQ(pdf.pages.size(), 2u);
  EXPECT_NEAR(pdf.pages[0].first, 100, kTolerance);
  EXPECT_NEAR(pdf.pages[0].second, 120, kTolerance);
  ExpectLabelAt(pdf, layout, 7, 0, 3 + 45, 5 + 3 * 25);
  ExpectLabelAt(pdf, layout, 8, 1, 3, 5);
}

TEST_F(LabelRendererTest, ChineseComesOutAsText) {
  std::vector<LabelRow> rows(1);
  rows[0][kLabel905d] = Utf8ToGbk("中文书标");
  rows[0][kLabel905e] = Utf8ToGbk("文史");
  PdfText pdf = Render(LabelLayout{}, rows);
  ASSERT_TRUE(pdf.Find("中文书标").has_value());
  EXPECT_NEAR(pdf.Find("中文书标")->left, 10.319, kTolerance);
  EXPECT_TRUE(pdf.Find("文史").has_value());
}

}  // namespace
}  // namespace veltrane
