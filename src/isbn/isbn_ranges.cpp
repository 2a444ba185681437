#include "isbn/isbn_ranges.h"

#include <algorithm>

namespace veltrane {
namespace {

// The seven digits from `start` read as a number, padded with zeros on the
// right where the text ends first: the agency's ranges are seven digits wide.
uint32_t SevenDigits(std::string_view body, size_t start) {
  uint32_t value = 0;
  for (size_t i = start; i < start + 7; ++i) {
    value = value * 10 + (i < body.size() ? static_cast<uint32_t>(body[i] - '0')
                                          : 0u);
  }
  return value;
}

size_t LengthOf(const std::vector<IsbnRangeRule>& rules, uint32_t value) {
  auto after = std::upper_bound(
      rules.begin(), rules.end(), value,
      [](uint32_t v, const IsbnRangeRule& rule) { return v < rule.low; });
  if (after == rules.begin()) return 0;
  const IsbnRangeRule& rule = *(after - 1);
  return value <= rule.high ? rule.length : 0;
}

bool ByLow(const IsbnRangeRule& a, const IsbnRangeRule& b) {
  return a.low < b.low;
}

}  // namespace

IsbnRanges::IsbnRanges(std::string date,
                       std::vector<IsbnRangeRule> prefix_rules,
                       std::vector<Group> groups)
    : date_(std::move(date)),
      prefix_rules_(std::move(prefix_rules)),
      groups_(std::move(groups)) {
  std::sort(prefix_rules_.begin(), prefix_rules_.end(), ByLow);
  for (Group& group : groups_) {
    std::sort(group.rules.begin(), group.rules.end(), ByLow);
  }
  std::sort(groups_.begin(), groups_.end(),
            [](const Group& a, const Group& b) { return a.digits < b.digits; });
}

const IsbnRanges& IsbnRanges::BuiltIn() {
  static const IsbnRanges built_in = [] {
    std::vector<Group> groups;
    groups.reserve(kBuiltInIsbnGroupCount);
    for (size_t i = 0; i < kBuiltInIsbnGroupCount; ++i) {
      const IsbnRangeGroup& group = kBuiltInIsbnGroups[i];
      const IsbnRangeRule* first = kBuiltInIsbnGroupRules + group.first_rule;
      groups.push_back({std::string(group.group),
                        {first, first + group.rule_count}});
    }
    return IsbnRanges(
        kBuiltInIsbnRangeDate,
        {kBuiltInIsbnPrefixRules,
         kBuiltInIsbnPrefixRules + kBuiltInIsbnPrefixRuleCount},
        std::move(groups));
  }();
  return built_in;
}

size_t IsbnRanges::GroupLength(std::string_view body) const {
  size_t length = LengthOf(prefix_rules_, SevenDigits(body, 0));
  return length < body.size() ? length : 0;
}

size_t IsbnRanges::PublisherLength(std::string_view body,
                                   size_t group_length) const {
  const std::string_view digits = body.substr(0, group_length);
  auto group = std::lower_bound(
      groups_.begin(), groups_.end(), digits,
      [](const Group& g, std::string_view d) { return g.digits < d; });
  if (group == groups_.end() || group->digits != digits) return 0;
  return LengthOf(group->rules, SevenDigits(body, group_length));
}

}  // namespace veltrane
