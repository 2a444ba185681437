#include "isbn/hyphenation.h"

#include <algorithm>
#include <array>
#include <span>

#include "isbn/range_store.h"
#include "util/text.h"

namespace veltrane {
namespace {

// One row of a range table: the leading characters of the text, compared as
// bytes, lie below `below` -> `length` digits.
struct RangeRow {
  std::string_view below;
  size_t length;
};

// The first row whose bound lies above the text's leading characters decides;
// `otherwise` applies when none does.
size_t LengthByRange(std::string_view text, std::span<const RangeRow> rows,
                     size_t otherwise) {
  for (const RangeRow& row : rows) {
    if (text.substr(0, row.below.size()) < row.below) return row.length;
  }
  return otherwise;
}

// Group lengths for every first character other than "7".
constexpr std::array<RangeRow, 4> kGroupRows = {{
    {"7", 1},
    {"95", 2},
    {"996", 3},
    {"9990", 4},
}};
constexpr size_t kLongestGroup = 5;

// Publisher lengths, read from the characters after the group.
constexpr std::array<RangeRow, 5> kPublisherRows = {{
    {"20", 2},
    {"700", 3},
    {"8500", 4},
    {"90000", 5},
    {"950000", 6},
}};
constexpr size_t kLongestPublisher = 7;

// Publisher lengths in group "7", indexed by the digit after the group.
constexpr std::array<size_t, 10> kGroup7Publisher = {2, 3, 3, 3, 3,
                                                     4, 4, 4, 5, 6};

}  // namespace

std::string HyphenateIsbn10(std::string_view isbn10) {
  if (isbn10.size() != 10 ||
      !std::all_of(isbn10.begin(), isbn10.begin() + 9, IsAsciiDigit)) {
    return std::string(isbn10);
  }
  const std::string_view body = isbn10.substr(0, 9);
  size_t group = 1;
  size_t publisher = 0;
  if (body[0] == '7') {
    publisher = kGroup7Publisher[static_cast<size_t>(body[1] - '0')];
  } else {
    // The agency's ranges decide where it has assigned them; the general
    // tables answer for the rest. The general group table reads the whole
    // ISBN, the publisher table what follows the group.
    const IsbnRanges& ranges = ActiveIsbnRanges();
    group = ranges.GroupLength(body);
    if (group == 0) group = LengthByRange(isbn10, kGroupRows, kLongestGroup);
    publisher = ranges.PublisherLength(body, group);
    if (publisher == 0) {
      publisher = LengthByRange(isbn10.substr(group), kPublisherRows,
                                kLongestPublisher);
    }
    publisher = std::min(publisher, body.size() - group);
  }
  std::string result(body.substr(0, group));
  result += '-';
  result += body.substr(group, publisher);
  if (group + publisher < body.size()) {
    result += '-';
    result += body.substr(group + publisher);
  }
  result += '-';
  result += isbn10[9];
  return result;
}

std::string AddIsbnHyphens(std::string_view code) {
  std::string text(Trim(code));
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  if (text.empty() || text.find('-') != std::string::npos) return text;
  if (text.size() == 8) return text.substr(0, 4) + '-' + text.substr(4);
  if (text.size() == 10) return HyphenateIsbn10(text);
  return text;
}

}  // namespace veltrane
