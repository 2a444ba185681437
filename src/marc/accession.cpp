#include "marc/accession.h"

#include "util/text.h"

namespace veltrane {
namespace {

struct AccessionNumber {
  std::string_view prefix;
  std::string_view digits;
};

AccessionNumber Split(std::string_view number) {
  size_t n = number.size();
  while (n > 0 && IsAsciiDigit(number[n - 1])) --n;
  return {number.substr(0, n), number.substr(n)};
}

// prefix + (digits + add), the sum written with at least the digit run's
// width. Decimal string arithmetic, so no digit run is too long.
std::string Advance(const AccessionNumber& number, uint64_t add) {
  std::string digits(number.digits.empty() ? "0" : number.digits);
  std::string addend = std::to_string(add);
  std::string sum;
  int carry = 0;
  for (size_t i = 0; i < std::max(digits.size(), addend.size()) || carry; ++i) {
    int d = carry;
    if (i < digits.size()) d += digits[digits.size() - 1 - i] - '0';
    if (i < addend.size()) d += addend[addend.size() - 1 - i] - '0';
    sum.insert(sum.begin(), static_cast<char>('0' + d % 10));
    carry = d / 10;
  }
  if (number.digits.empty()) {
    size_t zeros = sum.find_first_not_of('0');
    sum.erase(0, zeros == std::string::npos ? sum.size() - 1 : zeros);
  } else if (sum.size() > number.digits.size()) {
    size_t surplus = sum.size() - number.digits.size();
    size_t zeros = std::min(surplus, sum.find_first_not_of('0'));
    sum.erase(0, zeros);
  }
  return std::string(number.prefix) + sum;
}

}  // namespace

std::string JoinRange(std::string_view start, std::string_view end) {
  size_t k = 0;
  while (k < start.size() && k < end.size() && start[k] == end[k]) ++k;
  if (k == start.size()) return std::string(start);
  std::string out(start);
  out.push_back('-');
  out.append(end.substr(k == 0 ? 0 : k - 1));
  return out;
}

std::string NextAccessionRange(std::string_view counter,
                               std::string_view copies, bool first) {
  std::string last_number;
  size_t dash = counter.rfind('-');
  if (dash == std::string_view::npos) {
    last_number = counter;
  } else {
    std::string start = RemoveByte(counter.substr(0, dash), '-');
    std::string_view tail = counter.substr(dash + 1);
    if (tail.size() < start.size()) {
      last_number = start.substr(0, start.size() - tail.size());
    }
    last_number.append(tail);
  }
  if (last_number.empty()) return std::string();

  AccessionNumber number = Split(last_number);
  int64_t count = ParseInteger(copies).value_or(0);
  if (count < 1) count = 1;
  uint64_t c = static_cast<uint64_t>(count);
  if (first) {
    return c > 1 ? JoinRange(last_number, Advance(number, c - 1)) : last_number;
  }
  return JoinRange(Advance(number, 1), Advance(number, c));
}

std::string RangeMember(std::string_view range, int64_t n) {
  size_t dash = range.rfind('-');
  std::string_view start =
      dash == std::string_view::npos ? range : range.substr(0, dash);
  if (n <= 1) return std::string(start);
  return Advance(Split(start), static_cast<uint64_t>(n - 1));
}

}  // namespace veltrane
