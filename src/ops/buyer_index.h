// The buyer side of the MARC check (and the kept records of the MARC
// de-duplication), indexed: for every buyer record (known by its position
// from 0 in the order added) a hash of its text, and under the field and
// ISBN rules its terms in a TermIndex. No record text is kept; a candidate
// of identical text is confirmed by reading the record again. Records can be
// added between finds.
//
// Find gives exactly the buyer records that MarcRecordsMatch(supplier, buyer,
// ...) accepts, except where that throws because a record has no numeric
// base address: such a record, on either side, matches only records of
// identical text (as in the nested comparison, where every other comparison
// with it fails and is passed over).
#ifndef VELTRANE_OPS_BUYER_INDEX_H_
#define VELTRANE_OPS_BUYER_INDEX_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "marc/match.h"
#include "ops/term_index.h"
#include "util/hash_positions.h"
#include "util/string_interner.h"

namespace veltrane {

class BuyerIndex {
 public:
  // The rule's parameters as MarcRecordsMatch takes them.
  BuyerIndex(MatchRule rule, std::string fields, int threshold, bool isbn_keys);

  // Adds the next buyer record. Throws MarcFormatError when the rule has to
  // read the record and it has no base address (it is added all the same,
  // for identical texts); FatalError beyond 2^32 - 1 records.
  void Add(std::string_view record);

  struct Found {
    std::vector<uint32_t> positions;   // ascending
    bool supplier_unreadable = false;  // the rule needed it and could not
  };

  // The buyer records that `supplier` matches, all of them or only the first
  // one. `read` gives the text of the buyer record at a position.
  Found Find(std::string_view supplier, bool first_only,
             const std::function<std::string(uint32_t)>& read) const;

 private:
  std::string TermText(std::string_view spec, std::string_view value) const;
  std::vector<uint32_t> BuyerTerms(std::string_view record);
  std::vector<uint32_t> QueryTerms(std::string_view supplier) const;
  std::vector<uint32_t> MatchesByRule(std::string_view supplier,
                                      bool first_only) const;
  std::vector<uint32_t> ReadableBuyers(bool first_only) const;
  std::vector<uint32_t> SameText(
      std::string_view supplier, bool first_only,
      const std::vector<uint32_t>& already,
      const std::function<std::string(uint32_t)>& read) const;

  const MatchRule rule_;
  const std::string fields_;
  const int threshold_;
  const bool isbn_keys_;

  uint32_t count_ = 0;
  HashPositions text_hashes_;
  std::vector<uint32_t> unreadable_;  // ascending
  std::vector<std::string> specs_;    // the specifications of the buyer terms
  StringInterner terms_;              // "spec,value" (the value keyed)
  TermIndex term_index_;
};

}  // namespace veltrane

#endif  // VELTRANE_OPS_BUYER_INDEX_H_
