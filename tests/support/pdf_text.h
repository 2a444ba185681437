// Reading a PDF back with poppler's pdftotext: the pages' sizes and every
// word with its position, in millimetres from the page's top-left corner.
#ifndef VELTRANE_TESTS_SUPPORT_PDF_TEXT_H_
#define VELTRANE_TESTS_SUPPORT_PDF_TEXT_H_

#include <optional>
#include <string>
#include <vector>

namespace veltrane::testing {

struct PdfWord {
  int page = 0;  // from 0
  std::string text;
  double left = 0;  // mm
  double top = 0;   // mm: the top of the font's ascent
};

struct PdfText {
  std::vector<std::pair<double, double>> pages;  // width, height in mm
  std::vector<PdfWord> words;
  // The word `text`; nullopt when absent.
  std::optional<PdfWord> Find(const std::string& text) const;
};

// True when pdftotext can be run.
bool HavePdfToText();

// The pages and words of `path` (pdftotext -bbox); throws when it fails.
PdfText ReadPdfText(const std::string& path);

}  // namespace veltrane::testing

#endif  // VELTRANE_TESTS_SUPPORT_PDF_TEXT_H_
