#include "ops/term_index.h"

#include <algorithm>
#include <stdexcept>

namespace veltrane {

void TermIndex::AddDocument(std::span<const uint32_t> terms) {
  const uint32_t document = static_cast<uint32_t>(document_begin_.size() - 1);
  for (uint32_t term : terms) {
    if (postings_.size() >= kEnd) throw std::length_error("term index full");
    if (term >= lists_.size()) lists_.resize(size_t{term} + 1);
    List& list = lists_[term];
    const uint32_t posting = static_cast<uint32_t>(postings_.size());
    postings_.push_back({document});
    if (list.tail == kEnd) {
      list.head = posting;
      list.run = 1;
    } else {
      Posting& last = postings_[list.tail];
      list.run = last.document == document ? list.run + 1 : 1;
      last.next = posting;
    }
    list.tail = posting;
    ++list.size;
    list.max_occurrences = std::max(list.max_occurrences, list.run);
  }
  terms_.insert(terms_.end(), terms.begin(), terms.end());
  document_begin_.push_back(terms_.size());
}

int64_t TermIndex::Count(uint32_t document,
                         std::span<const uint32_t> query) const {
  int64_t count = 0;
  for (uint64_t i = document_begin_[document];
       i < document_begin_[document + 1]; ++i) {
    if (std::find(query.begin(), query.end(), terms_[i]) != query.end()) {
      ++count;
    }
  }
  return count;
}

std::vector<uint32_t> TermIndex::Find(std::span<const uint32_t> query,
                                      int64_t threshold,
                                      bool first_only) const {
  std::vector<const List*> lists;
  for (uint32_t term : query) {
    if (term < lists_.size()) lists.push_back(&lists_[term]);
  }
  std::sort(lists.begin(), lists.end(),
            [](const List* a, const List* b) { return a->size > b->size; });
  size_t aside = 0;
  int64_t reach = 0;
  while (aside < lists.size() &&
         reach + lists[aside]->max_occurrences < threshold) {
    reach += lists[aside++]->max_occurrences;
  }

  // The union of the remaining lists, in document order.
  std::vector<uint32_t> heads;
  for (size_t i = aside; i < lists.size(); ++i) {
    if (lists[i]->head != kEnd) heads.push_back(lists[i]->head);
  }
  std::vector<uint32_t> found;
  while (!heads.empty()) {
    uint32_t candidate = kEnd;
    for (uint32_t head : heads) {
      candidate = std::min(candidate, postings_[head].document);
    }
    for (uint32_t& head : heads) {
      while (head != kEnd && postings_[head].document == candidate) {
        head = postings_[head].next;
      }
    }
    std::erase(heads, kEnd);
    if (Count(candidate, query) >= threshold) {
      found.push_back(candidate);
      if (first_only) break;
    }
  }
  return found;
}

}  // namespace veltrane
