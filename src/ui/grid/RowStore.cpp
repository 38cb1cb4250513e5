#include "ui/grid/RowStore.h"

#include <algorithm>
#include <numeric>

#include "ui/grid/ColumnTexts.h"
#include "ui/grid/KeyVisits.h"
#include "ui/grid/OrderCodes.h"
#include "ui/grid/RadixOrder.h"

void TRowStore::Clear() {
  rows_.clear();
  rows_.shrink_to_fit();
  nextInsertion_ = 0;
  orderedBy_.reset();
}

void TRowStore::Append(uint32_t key) {
  rows_.push_back({key, nextInsertion_++});
  orderedBy_.reset();
}

void TRowStore::InsertAt(size_t position, uint32_t key) {
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(std::min(position, rows_.size())), {key, nextInsertion_++});
  orderedBy_.reset();
}

size_t TRowStore::KeysToCompare(const std::vector<TSortKey>& keys) const {
  if (!orderedBy_ || orderedBy_->size() >= keys.size()) return keys.size();
  const size_t added = keys.size() - orderedBy_->size();
  return std::equal(orderedBy_->begin(), orderedBy_->end(), keys.begin() + static_cast<std::ptrdiff_t>(added))
             ? added
             : keys.size();
}

void TRowStore::RemoveAt(size_t position) {
  if (position < rows_.size()) rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(position));
}

void TRowStore::RemoveAll(const std::vector<size_t>& positions) {
  size_t kept = 0;
  size_t next = 0;
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (next < positions.size() && positions[next] == i) {
      ++next;
      continue;
    }
    rows_[kept++] = rows_[i];
  }
  rows_.resize(kept);
}

std::vector<uint32_t> TRowStore::Positions() const {
  std::vector<uint32_t> positions(rows_.size());
  std::iota(positions.begin(), positions.end(), 0u);
  return positions;
}

std::vector<uint32_t> TRowStore::PositionsByInsertion() const {
  const bool inOrder = std::is_sorted(rows_.begin(), rows_.end(),
                                      [](const TRow& a, const TRow& b) { return a.Insertion < b.Insertion; });
  if (inOrder) return Positions();
  std::vector<uint64_t> insertions(rows_.size());
  for (size_t i = 0; i < rows_.size(); ++i) insertions[i] = rows_[i].Insertion;
  return RadixOrder({&insertions}, rows_.size());
}

std::vector<size_t> TRowStore::PositionsOfInsertions(const std::vector<uint32_t>& insertions) const {
  std::vector<uint32_t> wanted = insertions;
  std::sort(wanted.begin(), wanted.end());
  std::vector<size_t> positionOfWanted(wanted.size(), rows_.size());
  for (size_t position = 0; position < rows_.size() && !wanted.empty(); ++position) {
    auto found = std::lower_bound(wanted.begin(), wanted.end(), rows_[position].Insertion);
    if (found != wanted.end() && *found == rows_[position].Insertion) {
      positionOfWanted[static_cast<size_t>(found - wanted.begin())] = position;
    }
  }
  std::vector<size_t> positions;
  for (uint32_t insertion : insertions) {
    positions.push_back(positionOfWanted[static_cast<size_t>(std::lower_bound(wanted.begin(), wanted.end(), insertion) -
                                                             wanted.begin())]);
  }
  return positions;
}

namespace {

// Each key's codes by position, complemented for descending keys.
std::vector<std::vector<uint64_t>> KeyCodes(const std::vector<TSortKey>& keys, const TCellSource& source,
                                            const std::vector<uint32_t>& rowKeys,
                                            const std::function<bool()>& stopped) {
  std::vector<std::vector<uint64_t>> codes;
  const std::vector<uint32_t> visits = keys.empty() ? std::vector<uint32_t>() : KeyVisits(rowKeys);
  for (const TSortKey& key : keys) {
    if (stopped && stopped()) return {};
    codes.push_back(OrderCodes(TColumnTexts(source, key.Column, rowKeys, visits)));
    if (key.Descending) {
      for (uint64_t& code : codes.back()) code = ~code;
    }
  }
  return codes;
}

}  // namespace

std::vector<std::vector<uint64_t>> TRowStore::Order(const std::vector<TSortKey>& keys, const TCellSource& source,
                                                    size_t leading, const std::function<bool()>& stopped) {
  const size_t count = rows_.size();
  // Rows in the order of the trailing keys need only a sort by the others, with ties
  // left as they stand: grouping a sorted list sorts by the grouping column alone.
  const size_t compared = KeysToCompare(keys);
  const bool tiesByPosition = compared < keys.size();
  // Ties go by insertion number: rows taken in that order keep it through the stable
  // sort, which spares the sort a key as wide as the row count.
  const std::vector<uint32_t> taken = tiesByPosition ? Positions() : PositionsByInsertion();
  std::vector<uint32_t> rowKeys(count);
  for (size_t i = 0; i < count; ++i) rowKeys[i] = rows_[taken[i]].Key;
  const size_t coded = std::max(compared, std::min(leading, keys.size()));
  const std::vector<TSortKey> codedKeys(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(coded));
  std::vector<std::vector<uint64_t>> codes = KeyCodes(codedKeys, source, rowKeys, stopped);
  rowKeys = {};
  if (stopped && stopped()) return {};
  std::vector<const std::vector<uint64_t>*> sortKeys;
  for (size_t k = 0; k < compared; ++k) sortKeys.push_back(&codes[k]);
  const std::vector<uint32_t> order = RadixOrder(sortKeys, count);
  std::vector<TRow> ordered(count);
  for (size_t i = 0; i < count; ++i) ordered[i] = rows_[taken[order[i]]];
  rows_ = std::move(ordered);
  orderedBy_ = keys;
  std::vector<std::vector<uint64_t>> leadingCodes(std::min(leading, codes.size()));
  for (size_t k = 0; k < leadingCodes.size(); ++k) {
    leadingCodes[k].resize(count);
    for (size_t i = 0; i < count; ++i) leadingCodes[k][i] = codes[k][order[i]];
  }
  return leadingCodes;
}
