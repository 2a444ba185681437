#include "isbn/scanned_code.h"

#include <gtest/gtest.h>

#include <string_view>

namespace veltrane {
namespace {

struct ScanCase {
  std::string_view input;
  std::string_view code;
  bool valid;
};

void ExpectRecognised(std::initializer_list<ScanCase> cases) {
  for (const ScanCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << '"' << c.input << '"');
    const ScannedCode result = RecogniseScannedCode(c.input);
    EXPECT_EQ(result.Code, c.code);
    EXPECT_EQ(result.Valid, c.valid);
  }
}

TEST(RecogniseScannedCodeTest, ReducesBarcodesWithoutCheckingThem) {
  ExpectRecognised({
      {"9787500637721", "7500637721", true},
      {"978-7-5006-3772-1", "7500637721", true},
      {"9787500637729", "7500637721", true},  // wrong EAN check digit
      {"9787500637080", "750063708X", true},
      {"9777500637005", "75006375", true},
      {"9777500609002", "7500609X", true},
      {"9777500637995", "75006375", true},  // digits after the ISSN ignored
  });
}

TEST(RecogniseScannedCodeTest, ChecksAndCorrectsIsbn10) {
  ExpectRecognised({
      {"7500637721", "7500637721", true},
      {"7-5006-3772-1", "7500637721", true},
      {"7500637722", "7500637721", false},
      {"750063708X", "750063708X", true},
      {"750063708x", "750063708X", true},
      {"750063772x", "7500637721", false},
      {"7500637720", "7500637721", false},
  });
}

TEST(RecogniseScannedCodeTest, ChecksIssnCaseForCase) {
  ExpectRecognised({
      {"75006375", "75006375", true},
      {"7500-6375", "75006375", true},
      {"7500-6376", "75006375", false},
      {"7500609X", "7500609X", true},
      {"7500609x", "7500609X", false},
  });
}

TEST(RecogniseScannedCodeTest, RejectsWhatIsNoCode) {
  ExpectRecognised({
      {"", "", false},
      {"12345", "12345", false},
      {"9790000000000", "9790000000000", false},
      {" 7500637721", " 7500637721", false},
      {"7500637721 ", "7500637721 ", false},
      {"750063772", "750063772", false},
      {"978750063772", "978750063772", false},
      // Digits that carry a weight but cannot be read.
      {"ABCDEFGH", "ABCDEFGH", false},
      {"X500637721", "X500637721", false},
      {"X-500-637721", "X500637721", false},
      {"7500 6375", "7500 6375", false},
      {"97875006377X1", "97875006377X1", false},
      {"977750063X005", "977750063X005", false},
  });
}

}  // namespace
}  // namespace veltrane
