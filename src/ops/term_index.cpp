#include "ops/term_index.h"

#include <algorithm>
#include <numeric>

namespace veltrane {

void TermIndex::AddDocument(std::span<const uint32_t> terms) {
  terms_.insert(terms_.end(), terms.begin(), terms.end());
  document_begin_.push_back(terms_.size());
}

void TermIndex::Seal(uint32_t term_count) {
  posting_begin_.assign(size_t{term_count} + 1, 0);
  for (uint32_t term : terms_) ++posting_begin_[term + 1];
  std::partial_sum(posting_begin_.begin(), posting_begin_.end(),
                   posting_begin_.begin());

  // Documents are visited in ascending order, so every list comes out sorted.
  postings_.resize(terms_.size());
  std::vector<uint64_t> next(posting_begin_.begin(), posting_begin_.end() - 1);
  for (uint32_t document = 0; document + 1 < document_begin_.size();
       ++document) {
    for (uint64_t i = document_begin_[document];
         i < document_begin_[document + 1]; ++i) {
      postings_[next[terms_[i]]++] = document;
    }
  }

  max_occurrences_.assign(term_count, 0);
  for (uint32_t term = 0; term < term_count; ++term) {
    std::span<const uint32_t> list = ListOf(term).documents;
    uint32_t run = 0;
    for (size_t i = 0; i < list.size(); ++i) {
      run = i > 0 && list[i] == list[i - 1] ? run + 1 : 1;
      max_occurrences_[term] = std::max(max_occurrences_[term], run);
    }
  }
}

TermIndex::List TermIndex::ListOf(uint32_t term) const {
  uint64_t begin = posting_begin_[term];
  return {std::span<const uint32_t>(postings_).subspan(
              begin, posting_begin_[term + 1] - begin),
          max_occurrences_[term]};
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
  std::vector<List> lists;
  for (uint32_t term : query) lists.push_back(ListOf(term));
  std::sort(lists.begin(), lists.end(), [](const List& a, const List& b) {
    return a.documents.size() > b.documents.size();
  });
  size_t aside = 0;
  int64_t reach = 0;
  while (aside < lists.size() &&
         reach + lists[aside].max_occurrences < threshold) {
    reach += lists[aside++].max_occurrences;
  }

  // The union of the remaining lists, in document order.
  std::vector<std::span<const uint32_t>> heads;
  for (size_t i = aside; i < lists.size(); ++i) {
    heads.push_back(lists[i].documents);
  }
  std::vector<uint32_t> found;
  while (true) {
    auto least = std::min_element(
        heads.begin(), heads.end(), [](const auto& a, const auto& b) {
          return !a.empty() && (b.empty() || a.front() < b.front());
        });
    if (least == heads.end() || least->empty()) break;
    const uint32_t candidate = least->front();
    for (std::span<const uint32_t>& head : heads) {
      while (!head.empty() && head.front() == candidate) {
        head = head.subspan(1);
      }
    }
    if (Count(candidate, query) >= threshold) {
      found.push_back(candidate);
      if (first_only) break;
    }
  }
  return found;
}

}  // namespace veltrane
