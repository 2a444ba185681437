// Generated MARC files full of the duplicates that matter, for the
// differential tests of the MARC check and the MARC de-duplication: copies,
// the same ISBN in other records or spelled another way, repeated or missing
// 010s and $ds, shared titles and prices, damaged and unreadable records;
// and every duplicate rule with the parameters worth trying.
#ifndef VELTRANE_TESTS_OPS_DUPLICATE_TEST_DATA_H_
#define VELTRANE_TESTS_OPS_DUPLICATE_TEST_DATA_H_

#include <cstdint>
#include <string>
#include <vector>

#include "marc/match.h"

namespace veltrane::testing {

struct Files {
  std::string buyer;
  std::string supplier;
};

// Buyer and supplier files for `seed`; without `unreadable`, no record lacks
// a numeric base address and none is damaged.
Files MakeFiles(uint64_t seed, bool unreadable);

struct Rule {
  MatchRule rule;
  std::string fields;
  int threshold;
  bool isbn_keys;
};

// Every rule: identical records, the ISBN rule with and without keys, the
// field rule over several lists and thresholds, with and without keys.
std::vector<Rule> EveryRule();

// For test traces.
std::string Describe(const Rule& rule);

}  // namespace veltrane::testing

#endif  // VELTRANE_TESTS_OPS_DUPLICATE_TEST_DATA_H_
