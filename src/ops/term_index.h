// Posting lists over numbered terms of numbered documents (the buyer records
// of the MARC check, the kept records of a de-duplication), answering "which
// documents hold at least N of these terms" without counting through every
// document. Documents can be added between questions.
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
  // occurs more than once counts once per occurrence. Throws std::length_error
  // beyond 2^32 - 1 occurrences in all.
  void AddDocument(std::span<const uint32_t> terms);

  // The documents whose terms include at least `threshold` occurrences of
  // terms in `query`, ascending; with `first_only` at most the first one.
  // REQUIRES: `threshold` >= 1, `query` without repeated terms.
  std::vector<uint32_t> Find(std::span<const uint32_t> query, int64_t threshold,
                             bool first_only) const;

 private:
  static constexpr uint32_t kEnd = UINT32_MAX;

  // One occurrence of a term, linked to the term's next one.
  struct Posting {
    uint32_t document;
    uint32_t next = kEnd;
  };
  // The occurrences of one term in document order.
  struct List {
    uint32_t head = kEnd;
    uint32_t tail = kEnd;
    uint32_t size = 0;
    uint32_t max_occurrences = 0;  // in one document
    uint32_t run = 0;              // occurrences in the tail's document
  };

  int64_t Count(uint32_t document, std::span<const uint32_t> query) const;

  std::vector<uint64_t> document_begin_{0};  // into terms_, per document + 1
  std::vector<uint32_t> terms_;
  std::vector<Posting> postings_;
  std::vector<List> lists_;  // by term
};

}  // namespace veltrane

#endif  // VELTRANE_OPS_TERM_INDEX_H_
