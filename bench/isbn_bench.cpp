// veltrane-bench-isbn: the cost of hyphenating one ISBN by the agency's
// ranges, and of the conversions built on it, on random valid ISBN-10s of
// every first digit (group 7 and the rest alike).
//
//   veltrane-bench-isbn [--codes N]
//
// It prints nanoseconds per code; it judges nothing.
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "isbn/check_digit.h"
#include "isbn/convert.h"
#include "isbn/hyphenation.h"

namespace veltrane {
namespace {

std::vector<std::string> RandomIsbn10s(size_t count) {
  std::mt19937_64 random(20221113);
  std::uniform_int_distribution<int> digit(0, 9);
  std::vector<std::string> codes;
  codes.reserve(count);
  while (codes.size() < count) {
    std::string body(9, '0');
    for (char& c : body) c = static_cast<char>('0' + digit(random));
    codes.push_back(body + Isbn10CheckDigit(body));
  }
  return codes;
}

void Measure(const char* name, const std::vector<std::string>& codes,
             const std::function<std::string(const std::string&)>& each) {
  size_t bytes = 0;  // keeps the results alive
  const auto start = std::chrono::steady_clock::now();
  for (const std::string& code : codes) bytes += each(code).size();
  const std::chrono::duration<double, std::nano> elapsed =
      std::chrono::steady_clock::now() - start;
  std::printf("%-34s %8.1f ns/code  (%zu bytes out)\n", name,
              elapsed.count() / static_cast<double>(codes.size()), bytes);
}

}  // namespace
}  // namespace veltrane

int main(int argc, char** argv) {
  using namespace veltrane;
  size_t count = 1000000;
  if (argc == 3 && std::string(argv[1]) == "--codes") {
    count = std::stoul(argv[2]);
  } else if (argc != 1) {
    std::fprintf(stderr, "usage: veltrane-bench-isbn [--codes N]\n");
    return 2;
  }
  const std::vector<std::string> codes = RandomIsbn10s(count);
  HyphenateIsbn10(codes.front());  // loads the range table once
  Measure("HyphenateIsbn10", codes, [](const std::string& code) {
    return HyphenateIsbn10(code);
  });
  std::vector<std::string> barcodes;
  barcodes.reserve(codes.size());
  for (const std::string& code : codes) {
    barcodes.push_back(ConvertIsbn(code, IsbnFormat::ifEan13, false));
  }
  Measure("ConvertIsbn(13 digits, format 0)", barcodes,
          [](const std::string& code) {
            return ConvertIsbn(code, IsbnFormat::ifShortHyphen, false);
          });
  Measure("ConvertIsbn(13 digits, format 3)", barcodes,
          [](const std::string& code) {
            return ConvertIsbn(code, IsbnFormat::ifEan13Hyphen, false);
          });
  return 0;
}
