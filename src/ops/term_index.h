// Posting lists over numbered terms of numbered documents (the buyer records
// of the MARC check), answering "which documents hold at least N of these
// terms" without counting through every document.
//
// A query term's list may hold almost every document (a price shared by all
// records, an empty value): the lists are therefore filtered by the
// threshold. The longest lists are set aside as long as the greatest number
// of times a document can occur in all of them stays below N; a document that
// reaches N must then occur in one of the other lists, whose union gives the
// candidates, and each candidate's exact count comes from its own terms.
#ifndef VELTRANE_OPS_TERM_INDEX_H_
#define VELTRANE_OPS_TERM_INDEX_H_

#include <cstdint>
#include <span>
#include <vector>

namespace veltrane {

class TermIndex {
 public:
  // Adds the next document (numbered from 0) with its terms; a term that
  // occurs more than once counts once per occurrence. REQUIRES: not sealed.
  void AddDocument(std::span<const uint32_t> terms);

  // Builds the posting lists for terms 0 to `term_count` - 1. REQUIRES: every
  // term added is below `term_count`; called once, after the last document.
  void Seal(uint32_t term_count);

  // The documents whose terms include at least `threshold` occurrences of
  // terms in `query`, ascending; with `first_only` at most the first one.
  // REQUIRES: sealed, `threshold` >= 1, `query` without repeated terms.
  std::vector<uint32_t> Find(std::span<const uint32_t> query, int64_t threshold,
                             bool first_only) const;

 private:
  struct List {
    std::span<const uint32_t> documents;  // ascending, once per occurrence
    uint32_t max_occurrences;             // in one document
  };

  List ListOf(uint32_t term) const;
  int64_t Count(uint32_t document, std::span<const uint32_t> query) const;

  std::vector<uint64_t> document_begin_{0};  // into terms_, per document + 1
  std::vector<uint32_t> terms_;
  std::vector<uint64_t> posting_begin_;  // into postings_, per term + 1
  std::vector<uint32_t> postings_;
  std::vector<uint32_t> max_occurrences_;  // per term
};

}  // namespace veltrane

#endif  // VELTRANE_OPS_TERM_INDEX_H_
