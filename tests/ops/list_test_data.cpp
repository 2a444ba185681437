#include "ops/list_test_data.h"

#include "bench/marc_generator.h"
#include "isbn/convert.h"

namespace veltrane::testing {
namespace {

// A number in [0, n).
int Below(std::mt19937_64& rng, uint64_t n) {
  return static_cast<int>(rng() % n);
}

std::string RandomLine(uint64_t seed, int64_t records, std::mt19937_64& rng) {
  const int64_t record = 1 + Below(rng, static_cast<uint64_t>(records) + 3);
  const std::string isbn = GenerateIsbn(seed, record);
  switch (Below(rng, 11)) {
    case 0:
      return "";
    case 1:
      return ConvertIsbn(isbn, IsbnFormat::ifShortPlain, false);
    case 2:
      return ConvertIsbn(isbn, IsbnFormat::ifEan13, false);
    case 3:
      return ConvertIsbn(isbn, IsbnFormat::ifEan13Hyphen, false);
    case 4:
      return isbn + " ";
    case 5:
      return isbn + " " + std::to_string(1 + Below(rng, 3));
    case 6:
      return "ISBN " + isbn;
    default:
      return isbn;
  }
}

}  // namespace

std::string RandomIsbnList(uint64_t seed, int64_t records, int lines,
                           std::mt19937_64& rng) {
  static constexpr const char* kBreaks[] = {"\r\n", "\r\n", "\n", "\r"};
  std::string text;
  for (int i = 0; i < lines; ++i) {
    text += RandomLine(seed, records, rng);
    if (i + 1 < lines || Below(rng, 2) == 0) text += kBreaks[Below(rng, 4)];
  }
  return text;
}

}  // namespace veltrane::testing
