// A match is "some keying has equal keys on both rows": "且" is one keying
// over all pairs (the paired values joined), "或" one keying per pair. The
// unsorted mode then needs a hash set of each side's keys; the sorted mode
// finds a buyer row's first match at or after the scan start with sorted
// postings (supplier rows per key) and walks the run from there.
#include "ops/sheet_match.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace veltrane {
namespace {

size_t Rows(const Grid& grid) { return static_cast<size_t>(grid.rows()); }

const std::string& Cell(const Grid& grid, size_t row, size_t column) {
  return grid.Cell(static_cast<int>(column), static_cast<int>(row));
}

// The columns that make one key on each side.
struct Keying {
  std::vector<size_t> buyer;
  std::vector<size_t> supplier;
};

std::vector<Keying> Keyings(const SheetMatchSpec& spec) {
  std::vector<Keying> keyings;
  for (const ColumnPair& pair : spec.pairs) {
    if (spec.any || keyings.empty()) keyings.emplace_back();
    keyings.back().buyer.push_back(pair.buyer);
    keyings.back().supplier.push_back(pair.supplier);
  }
  return keyings;
}

// The cells of `row` in `columns`, each value after its length, so that
// different value lists never give the same key.
std::string Key(const Grid& rows, size_t row,
                const std::vector<size_t>& columns) {
  if (columns.size() == 1) return Cell(rows, row, columns[0]);
  std::string key;
  for (size_t column : columns) {
    const std::string& value = Cell(rows, row, column);
    key += std::to_string(value.size());
    key += ':';
    key += value;
  }
  return key;
}

using KeySet = std::unordered_set<std::string>;

KeySet KeysOf(const Grid& rows, size_t first,
              const std::vector<size_t>& columns) {
  KeySet keys;
  for (size_t row = first; row < Rows(rows); ++row) {
    keys.insert(Key(rows, row, columns));
  }
  return keys;
}

// Marks each data row of `rows` whose key of some keying is in `other`.
void MarkHeld(const Grid& rows, size_t first,
              const std::vector<std::vector<size_t>>& columns,
              const std::vector<KeySet>& other, std::vector<bool>& marks) {
  for (size_t row = first; row < Rows(rows); ++row) {
    for (size_t k = 0; k < columns.size() && !marks[row]; ++k) {
      marks[row] = other[k].contains(Key(rows, row, columns[k]));
    }
  }
}

bool MatchUnsorted(const Grid& buyer, const Grid& supplier,
                   const SheetMatchSpec& spec, SheetMarks& marks,
                   OperationHost& host) {
  std::vector<std::vector<size_t>> buyer_columns, supplier_columns;
  std::vector<KeySet> buyer_keys, supplier_keys;
  for (const Keying& keying : Keyings(spec)) {
    buyer_columns.push_back(keying.buyer);
    supplier_columns.push_back(keying.supplier);
    buyer_keys.push_back(KeysOf(buyer, spec.buyer_first, keying.buyer));
    supplier_keys.push_back(
        KeysOf(supplier, spec.supplier_first, keying.supplier));
  }
  MarkHeld(supplier, spec.supplier_first, supplier_columns, buyer_keys,
           marks.supplier);
  for (size_t b = spec.buyer_first; b < Rows(buyer); ++b) {
    for (size_t k = 0; k < buyer_columns.size() && !marks.buyer[b]; ++k) {
      marks.buyer[b] = supplier_keys[k].contains(Key(buyer, b, buyer_columns[k]));
    }
    host.SetProgressPosition(static_cast<int64_t>(b - spec.buyer_first + 1));
    if (host.StopRequested()) return false;
  }
  return true;
}

using Postings = std::unordered_map<std::string, std::vector<size_t>>;

bool MatchSorted(const Grid& buyer, const Grid& supplier,
                 const SheetMatchSpec& spec, SheetMarks& marks,
                 OperationHost& host) {
  const std::vector<Keying> keyings = Keyings(spec);
  std::vector<Postings> postings(keyings.size());
  for (size_t k = 0; k < keyings.size(); ++k) {
    for (size_t s = spec.supplier_first; s < Rows(supplier); ++s) {
      postings[k][Key(supplier, s, keyings[k].supplier)].push_back(s);
    }
  }
  size_t start = spec.supplier_first;
  for (size_t b = spec.buyer_first; b < Rows(buyer); ++b) {
    if (b > spec.buyer_first && RepeatsPreviousRow(buyer, b, spec)) {
      marks.buyer[b] = marks.buyer[b - 1];
    } else {
      size_t first = Rows(supplier);
      for (size_t k = 0; k < keyings.size(); ++k) {
        auto found = postings[k].find(Key(buyer, b, keyings[k].buyer));
        if (found == postings[k].end()) continue;
        auto at = std::lower_bound(found->second.begin(), found->second.end(),
                                   start);
        if (at != found->second.end()) first = std::min(first, *at);
      }
      for (size_t s = first;
           s < Rows(supplier) && RowsMatch(buyer, b, supplier, s, spec);
           ++s) {
        marks.buyer[b] = marks.supplier[s] = true;
        start = s + 1;
      }
    }
    host.SetProgressPosition(static_cast<int64_t>(b - spec.buyer_first + 1));
    if (host.StopRequested()) return false;
  }
  return true;
}

}  // namespace

bool RowsMatch(const Grid& buyer, size_t b, const Grid& supplier,
               size_t s, const SheetMatchSpec& spec) {
  bool result = !spec.any;
  for (const ColumnPair& pair : spec.pairs) {
    const bool equal = Cell(buyer, b, pair.buyer) ==
                       Cell(supplier, s, pair.supplier);
    result = spec.any ? result || equal : result && equal;
  }
  return result;
}

bool RepeatsPreviousRow(const Grid& buyer, size_t b,
                        const SheetMatchSpec& spec) {
  return std::all_of(spec.pairs.begin(), spec.pairs.end(),
                     [&](const ColumnPair& pair) {
                       return Cell(buyer, b, pair.buyer) ==
                              Cell(buyer, b - 1, pair.buyer);
                     });
}

std::optional<SheetMarks> MatchSheetRows(const Grid& buyer,
                                         const Grid& supplier,
                                         const SheetMatchSpec& spec,
                                         OperationHost& host) {
  SheetMarks marks{std::vector<bool>(Rows(buyer)),
                   std::vector<bool>(Rows(supplier))};
  host.SetProgressTotal(static_cast<int64_t>(
      Rows(buyer) > spec.buyer_first ? Rows(buyer) - spec.buyer_first : 0));
  const bool done = spec.sorted
                        ? MatchSorted(buyer, supplier, spec, marks, host)
                        : MatchUnsorted(buyer, supplier, spec, marks, host);
  if (!done) return std::nullopt;
  return marks;
}

}  // namespace veltrane
