// Why the terms give MarcRecordsMatch's answers:
//
// - A term is a specification with a value, "spec,value" (a specification
//   never holds a comma). Under the field rule a buyer record has one term
//   per field and applying specification, as the rule counts them; under the
//   ISBN rule one term "010a,$a" for its first 010 $a, none without one (a
//   record without an ISBN is a repeat of nothing under that rule).
// - Where the rule compares ISBN keys (010 $a with the flag on) the term holds
//   IsbnMatchKey of the value: equal strings have equal keys, so "equal
//   strings or equal keys" is "equal keys".
// - The supplier asks, for each specification, for the one term its stored
//   value (or its first 010 $a, nothing without one) gives. A buyer's count
//   under the rule is then the number of its terms among the asked ones; the
//   ISBN rule is the threshold 1. A threshold of 0 or less accepts every
//   readable record.
// - Identical texts match under every rule: the text hashes find them.
#include "ops/buyer_index.h"

#include <algorithm>
#include <limits>

#include "isbn/convert.h"
#include "marc/match_fields.h"
#include "marc/record.h"
#include "marc/scanner.h"

namespace veltrane {
namespace {

uint64_t TextHash(std::string_view text) {
  return std::hash<std::string_view>{}(text);
}

}  // namespace

BuyerIndex::BuyerIndex(MatchRule rule, std::string fields, int threshold,
                       bool isbn_keys)
    : rule_(rule),
      fields_(std::move(fields)),
      threshold_(rule == MatchRule::SameIsbn ? 1 : threshold),
      isbn_keys_(isbn_keys) {}

std::string BuyerIndex::TermText(std::string_view spec,
                                 std::string_view value) const {
  std::string text(spec);
  text += ',';
  if (isbn_keys_ && spec == kIsbnSpec) {
    text += IsbnMatchKey(value);
  } else {
    text += value;
  }
  return text;
}

std::vector<uint32_t> BuyerIndex::BuyerTerms(std::string_view record) {
  std::vector<uint32_t> terms;
  std::vector<MatchField> fields = ReadMatchFields(record);
  if (rule_ == MatchRule::SameIsbn) {
    std::string isbn = FirstIsbn(fields).value_or("");
    if (!isbn.empty())
      terms.push_back(terms_.Intern(TermText(kIsbnSpec, isbn)));
    return terms;
  }
  for (const MatchField& field : fields) {
    ForEachSpecOf(field.tag, fields_, [&](std::string_view spec) {
      if (std::find(specs_.begin(), specs_.end(), spec) == specs_.end()) {
        specs_.emplace_back(spec);
      }
      terms.push_back(
          terms_.Intern(TermText(spec, SpecValue(spec, field.data))));
    });
  }
  return terms;
}

void BuyerIndex::Add(std::string_view record) {
  if (count_ == std::numeric_limits<uint32_t>::max()) {
    throw FatalError("采购方记录太多");
  }
  const uint32_t position = count_++;
  text_hashes_.Add(TextHash(record), position);
  if (rule_ == MatchRule::IdenticalRecord) return;
  if (!MatchBaseAddress(record)) {
    unreadable_.push_back(position);
    term_index_.AddDocument({});
    throw MarcFormatError(kNoBaseAddressMessage);
  }
  term_index_.AddDocument(BuyerTerms(record));
}

std::vector<uint32_t> BuyerIndex::QueryTerms(std::string_view supplier) const {
  std::vector<uint32_t> query;
  auto ask = [&](std::string_view spec, std::string_view value) {
    if (std::optional<uint32_t> term = terms_.Find(TermText(spec, value))) {
      query.push_back(*term);
    }
  };
  std::vector<MatchField> fields = ReadMatchFields(supplier);
  if (rule_ == MatchRule::SameIsbn) {
    std::string isbn = FirstIsbn(fields).value_or("");
    if (!isbn.empty()) ask(kIsbnSpec, isbn);
  } else {
    StoredSpecValues stored(fields, fields_);
    for (const std::string& spec : specs_) ask(spec, stored.Get(spec));
  }
  return query;
}

std::vector<uint32_t> BuyerIndex::ReadableBuyers(bool first_only) const {
  std::vector<uint32_t> readable;
  auto skip = unreadable_.begin();
  for (uint32_t position = 0; position < count_; ++position) {
    if (skip != unreadable_.end() && *skip == position) {
      ++skip;
      continue;
    }
    readable.push_back(position);
    if (first_only) break;
  }
  return readable;
}

std::vector<uint32_t> BuyerIndex::MatchesByRule(std::string_view supplier,
                                                bool first_only) const {
  if (threshold_ <= 0) return ReadableBuyers(first_only);
  return term_index_.Find(QueryTerms(supplier), threshold_, first_only);
}

// Candidates of equal hash that `already` lacks (and, for the first match
// only, that come before its first), confirmed by reading them.
std::vector<uint32_t> BuyerIndex::SameText(
    std::string_view supplier, bool first_only,
    const std::vector<uint32_t>& already,
    const std::function<std::string(uint32_t)>& read) const {
  std::vector<uint32_t> same;
  text_hashes_.ForEach(TextHash(supplier), [&](uint32_t position) {
    if (first_only && !already.empty() && position >= already.front()) {
      return false;
    }
    if (std::binary_search(already.begin(), already.end(), position)) {
      return true;
    }
    if (read(position) != supplier) return true;
    same.push_back(position);
    return !first_only;
  });
  return same;
}

BuyerIndex::Found BuyerIndex::Find(
    std::string_view supplier, bool first_only,
    const std::function<std::string(uint32_t)>& read) const {
  Found found;
  std::vector<uint32_t> by_rule;
  if (rule_ != MatchRule::IdenticalRecord) {
    if (MatchBaseAddress(supplier)) {
      by_rule = MatchesByRule(supplier, first_only);
    } else {
      found.supplier_unreadable = true;
    }
  }
  // Disjoint from by_rule.
  std::vector<uint32_t> same = SameText(supplier, first_only, by_rule, read);
  std::vector<uint32_t>& positions = found.positions;
  positions = std::move(by_rule);
  positions.insert(positions.end(), same.begin(), same.end());
  std::inplace_merge(positions.begin(), positions.end() - same.size(),
                     positions.end());
  if (first_only && positions.size() > 1) {
    positions.erase(positions.begin() + 1, positions.end());
  }
  return found;
}

}  // namespace veltrane
