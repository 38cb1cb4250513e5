#pragma once
// The result rows in display order: a key and an insertion number each, nothing more.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "ui/grid/CellSource.h"
#include "ui/grid/ViewOrder.h"

class TRowStore {
 public:
  void Clear();  // insertion numbers restart at 0
  void Reserve(size_t count) { rows_.reserve(count); }
  void Append(uint32_t key);
  void InsertAt(size_t position, uint32_t key);
  void RemoveAt(size_t position);
  // Positions ascending; one pass, however many.
  void RemoveAll(const std::vector<size_t>& positions);

  size_t Size() const { return rows_.size(); }
  uint32_t KeyAt(size_t position) const { return rows_[position].Key; }
  uint32_t InsertionAt(size_t position) const { return rows_[position].Insertion; }
  // The positions of the rows with these insertion numbers, in one pass over the rows;
  // Size() for a number no row has.
  std::vector<size_t> PositionsOfInsertions(const std::vector<uint32_t>& insertions) const;

  // One stable radix sort by the keys' cell texts, ties by insertion number. Returns, in
  // the new row order, codes of the first `leading` keys' texts: equal exactly where
  // the texts are equal, which is all grouping needs.
  // Asked between its costly steps, stopped ends the sort early with the rows as
  // they were and nothing returned.
  std::vector<std::vector<uint64_t>> Order(const std::vector<TSortKey>& keys, const TCellSource& source,
                                           size_t leading = 0, const std::function<bool()>& stopped = {});

 private:
  struct TRow {
    uint32_t Key;
    uint32_t Insertion;
  };
  // How many leading keys a sort must compare: when the rows are already in the
  // order of the trailing keys, only the new leading ones.
  size_t KeysToCompare(const std::vector<TSortKey>& keys) const;

  std::vector<uint32_t> Positions() const;  // 0, 1, ...
  std::vector<uint32_t> PositionsByInsertion() const;

  std::vector<TRow> rows_;
  uint32_t nextInsertion_ = 0;
  // The keys the rows are ordered by (empty: insertion order); unknown after appending.
  std::optional<std::vector<TSortKey>> orderedBy_;
};
