// The registration agency's ISBN ranges for the prefix 978: how many digits
// the registration group and the publisher of an ISBN-10 take.
//
// The program carries a built-in table (isbn_ranges_data.cpp). A newer range
// message stored by `veltrane-cli isbn ranges --load` (see range_store.h) is
// preferred by both programs once it is there.
#ifndef VELTRANE_ISBN_ISBN_RANGES_H_
#define VELTRANE_ISBN_ISBN_RANGES_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "isbn/isbn_ranges_data.h"

namespace veltrane {

class IsbnRanges {
 public:
  struct Group {
    std::string digits;                // "7", "957", ...
    std::vector<IsbnRangeRule> rules;  // publisher ranges, sorted by low
  };

  // `prefix_rules`: the group ranges after "978"; both lists in any order.
  IsbnRanges(std::string date, std::vector<IsbnRangeRule> prefix_rules,
             std::vector<Group> groups);

  // The table compiled into the program.
  static const IsbnRanges& BuiltIn();

  // "yyyy-mm-dd" of the range message the table comes from, or the message's
  // own date text when it has another form.
  const std::string& date() const { return date_; }

  // For the nine leading digits of an ISBN-10 (REQUIRES: digits only, at
  // least one): the digits of its registration group, or 0 when the agency
  // has assigned no group there.
  size_t GroupLength(std::string_view body) const;

  // The digits of the publisher that follows the group of `group_length`
  // digits, or 0 when the group is unknown or the block is not assigned.
  size_t PublisherLength(std::string_view body, size_t group_length) const;

 private:
  std::string date_;
  std::vector<IsbnRangeRule> prefix_rules_;
  std::vector<Group> groups_;  // sorted by digits
};

}  // namespace veltrane

#endif  // VELTRANE_ISBN_ISBN_RANGES_H_
