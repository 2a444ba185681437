#include "isbn/convert.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

namespace veltrane {
namespace {

using enum IsbnFormat;
constexpr bool kForce = true;
constexpr bool kStrict = false;
constexpr IsbnFormat kAllFormats[] = {ifShortHyphen, ifShortPlain, ifEan13,
                                      ifEan13Hyphen};

struct ConvertCase {
  std::string_view code;
  IsbnFormat format;
  bool force;
  std::string_view expected;
};

void ExpectConversions(std::initializer_list<ConvertCase> cases) {
  for (const ConvertCase& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << '"' << c.code << "\" format " << static_cast<int>(c.format)
                 << (c.force ? " forced" : ""));
    EXPECT_EQ(ConvertIsbn(c.code, c.format, c.force), c.expected);
  }
}

// `code` comes back as given in all four formats.
void ExpectUnchanged(std::string_view code, bool force) {
  for (IsbnFormat format : kAllFormats) {
    SCOPED_TRACE(::testing::Message()
                 << '"' << code << "\" format " << static_cast<int>(format)
                 << (force ? " forced" : ""));
    EXPECT_EQ(ConvertIsbn(code, format, force), code);
  }
}

TEST(ConvertIsbnTest, ConvertsIsbn10ToEveryFormat) {
  ExpectConversions({
      {"7-5006-3772-1", ifShortHyphen, kStrict, "7-5006-3772-1"},
      {"7-5006-3772-1", ifShortPlain, kStrict, "7500637721"},
      {"7-5006-3772-1", ifEan13, kStrict, "9787500637721"},
      {"7-5006-3772-1", ifEan13Hyphen, kStrict, "978-7-5006-3772-1"},
      {"75-0063-7721", ifShortPlain, kStrict, "7500637721"},
      {"7500637721", ifShortHyphen, kStrict, "7-5006-3772-1"},
      {"750063708X", ifShortHyphen, kStrict, "7-5006-3708-X"},
      {"750063708X", ifEan13, kStrict, "9787500637080"},
      {"750063708X", ifEan13Hyphen, kStrict, "978-7-5006-3708-0"},
      {"0306406152", ifEan13Hyphen, kStrict, "978-0-306-40615-7"},
      {"999007500X", ifEan13Hyphen, kStrict, "978-99900-7500-7"},
  });
}

TEST(ConvertIsbnTest, ConvertsIssnToEveryFormat) {
  ExpectConversions({
      {"7500-6375", ifShortHyphen, kStrict, "7500-6375"},
      {"7500-6375", ifShortPlain, kStrict, "75006375"},
      {"7500-6375", ifEan13, kStrict, "9777500637005"},
      {"7500-6375", ifEan13Hyphen, kStrict, "9777500637005"},
      {"75006375", ifShortHyphen, kStrict, "7500-6375"},
      {"7500609X", ifEan13, kStrict, "9777500609002"},
      {"7500609X", ifShortHyphen, kStrict, "7500-609X"},
  });
}

TEST(ConvertIsbnTest, ConvertsBarcodesByTheirBeginning) {
  ExpectConversions({
      {"9787500637721", ifShortHyphen, kStrict, "7-5006-3772-1"},
      {"9787500637721", ifShortPlain, kStrict, "7500637721"},
      {"978-7-5006-3772-1", ifEan13, kStrict, "9787500637721"},
      {"9787500637721", ifEan13Hyphen, kStrict, "978-7-5006-3772-1"},
      {"97-87500637721", ifShortHyphen, kStrict, "7-5006-3772-1"},
      {"9787500637080", ifShortPlain, kStrict, "750063708X"},
      {"9777500637005", ifShortHyphen, kStrict, "7500-6375"},
      {"9777500637005", ifShortPlain, kStrict, "75006375"},
      {"977-7500637005", ifEan13, kStrict, "9777500637005"},
      {"977-7500637005", ifEan13Hyphen, kStrict, "9777500637005"},
      {"9777500609002", ifShortHyphen, kStrict, "7500-609X"},
      // Another beginning has only the plain barcode form.
      {"979-10-323-0082-4", ifEan13, kStrict, "9791032300824"},
      {"979-10-323-0082-4", ifShortHyphen, kStrict, "979-10-323-0082-4"},
      {"979-10-323-0082-4", ifShortPlain, kStrict, "979-10-323-0082-4"},
      {"979-10-323-0082-4", ifEan13Hyphen, kStrict, "979-10-323-0082-4"},
  });
}

TEST(ConvertIsbnTest, EveryFormConvertsBackAndSharesOneMatchKey) {
  for (std::string_view plain :
       {"7500637721", "750063708X", "0306406152", "9575006372", "75006375",
        "7500609X", "03178471"}) {
    for (IsbnFormat format : kAllFormats) {
      SCOPED_TRACE(::testing::Message()
                   << plain << " format " << static_cast<int>(format));
      const std::string converted = ConvertIsbn(plain, format, kStrict);
      EXPECT_EQ(ConvertIsbn(converted, ifShortPlain, kStrict), plain);
      EXPECT_EQ(IsbnMatchKey(converted), IsbnMatchKey(plain));
    }
  }
}

TEST(ConvertIsbnTest, ReturnsWhatItCannotConvertUnchanged) {
  for (std::string_view code : {
           "", "-",
           "7 500637721",     // a blank inside
           "ISBN7500637721",  // letters other than X
           "750063772",       // 9 characters need the force flag
           "978750063772",    // so do 12
           "75006377211",     // 11 are never a code
           "7500637722",      // wrong ISBN-10 check digit
           "75006377",        // wrong ISSN check digit
           "9787500637722",   // wrong EAN check digit
           "750063708x",      // check digits are compared case for case
           "7500609x",        //
           "X500637721",      // no digit where a weight applies
           "978750063772X",   //
           "9791032300825",   //
       }) {
    ExpectUnchanged(code, kStrict);
  }
}

TEST(ConvertIsbnTest, ForceCompletesCodesCutBeforeTheirCheckDigit) {
  ExpectConversions({
      {"750063772", ifShortHyphen, kForce, "7-5006-3772-1"},
      {"75006370-8", ifShortPlain, kForce, "750063708X"},
      {"7500637", ifShortHyphen, kForce, "7500-6375"},
      {"7500637", ifEan13, kForce, "9777500637005"},
      {"978750063772", ifEan13, kForce, "9787500637721"},
      {"978750063772", ifShortHyphen, kForce, "7-5006-3772-1"},
      {"977750063700", ifShortPlain, kForce, "75006375"},
      {"979103230082", ifEan13, kForce, "9791032300824"},
      {"979103230082", ifShortPlain, kForce, "979103230082"},
  });
}

TEST(ConvertIsbnTest, ForceKeepsTheShortFormsOwnCheckDigit) {
  ExpectConversions({
      {"7500637722", ifShortHyphen, kForce, "7-5006-3772-2"},
      {"7500637722", ifShortPlain, kForce, "7500637722"},
      {"75006377", ifShortHyphen, kForce, "7500-6377"},
  });
}

TEST(ConvertIsbnTest, KeepsLowerCaseXWithForce) {
  ExpectConversions({
      {"750063708x", ifShortPlain, kForce, "750063708x"},
      {"750063708x", ifShortHyphen, kForce, "7-5006-3708-x"},
      {"7500609x", ifShortHyphen, kForce, "7500-609x"},
  });
}

TEST(ConvertIsbnTest, ForceComputesEveryCheckDigitItBuilds) {
  ExpectConversions({
      {"7500637722", ifEan13, kForce, "9787500637721"},
      {"7500637722", ifEan13Hyphen, kForce, "978-7-5006-3772-1"},
      {"750063708x", ifEan13, kForce, "9787500637080"},
      {"7500609x", ifEan13, kForce, "9777500609002"},
      {"75006377", ifEan13Hyphen, kForce, "9777500637005"},
      // From a barcode the short check digit is computed, while the barcode
      // itself keeps its own EAN check digit.
      {"9787500637722", ifShortHyphen, kForce, "7-5006-3772-1"},
      {"9787500637722", ifEan13Hyphen, kForce, "978-7-5006-3772-1"},
      {"9787500637722", ifEan13, kForce, "9787500637722"},
      {"9777500637999", ifShortPlain, kForce, "75006375"},
      {"9777500637999", ifEan13Hyphen, kForce, "9777500637999"},
  });
}

TEST(ConvertIsbnTest, ForceStillRejectsUnreadableCodes) {
  for (std::string_view code :
       {"X500637721", "X500-6375", "X500637", "X50063772", "97875006377X",
        "978750063772X", "97875006377X1", "75006", "75006377211"}) {
    ExpectUnchanged(code, kForce);
  }
}

TEST(IsbnMatchKeyTest, GivesOneKeyForEverySpelling) {
  struct KeyCase {
    std::string_view code;
    std::string_view expected;
  };
  const KeyCase cases[] = {
      {"7-5006-3772-1", "750063772"},
      {"9787500637721", "750063772"},
      {"ISBN 7-5006-3772-1", "750063772"},
      {"7500637722", "750063772"},  // the check character is not compared
      {"7-5006-3708-x", "750063708"},
      {"7500-6375", "7500637"},
      {"9777500637005", "7500637"},
      {"7500609X", "7500609"},
      // An ISBN-10 beginning "977" loses those digits in both forms.
      {"9771234560", "123456"},
      {"9789771234562", "123456"},
      {"97812345", "1234"},
      {"9791032300824", "979103230082"},
      // Other counts keep the code as given.
      {"12345", "12345"},
      {"7-5006-3772", "7-5006-3772"},
      {"ISBN 978-7-5006-3772-10", "ISBN 978-7-5006-3772-10"},
      {"", ""},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(IsbnMatchKey(c.code), c.expected);
  }
}

}  // namespace
}  // namespace veltrane
