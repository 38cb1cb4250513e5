#include "RowStore.h"

#include <algorithm>

#include "CellOrder.h"
#include "ColumnTexts.h"

void TRowStore::Clear() {
  rows_.clear();
  rows_.shrink_to_fit();
  nextInsertion_ = 0;
}

void TRowStore::Append(uint32_t key) { rows_.push_back({key, nextInsertion_++}); }

void TRowStore::InsertAt(size_t position, uint32_t key) {
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(std::min(position, rows_.size())),
               {key, nextInsertion_++});
}

void TRowStore::RemoveAt(size_t position) {
  if (position < rows_.size()) rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(position));
}

namespace {

// The first key's prefix sits beside the position so that most comparisons stay
// inside this 16-byte item.
struct TSortItem {
  uint64_t Prefix;
  uint32_t Position;
  uint32_t Insertion;
};

class TRowComparator {
 public:
  TRowComparator(const std::vector<TSortKey>& keys, const std::vector<TColumnTexts>& texts)
      : keys_(keys), texts_(texts) {}

  bool operator()(const TSortItem& a, const TSortItem& b) const {
    if (a.Prefix != b.Prefix) return a.Prefix < b.Prefix;
    for (size_t k = 0; k < keys_.size(); ++k) {
      int order = CompareCellTexts(texts_[k].Text(a.Position), texts_[k].Text(b.Position));
      if (order != 0) return keys_[k].Descending ? order > 0 : order < 0;
    }
    return a.Insertion < b.Insertion;
  }

 private:
  const std::vector<TSortKey>& keys_;
  const std::vector<TColumnTexts>& texts_;
};

}  // namespace

void TRowStore::Order(const std::vector<TSortKey>& keys, const TCellSource& source) {
  const size_t count = rows_.size();
  std::vector<TColumnTexts> texts;
  texts.reserve(keys.size());
  for (const TSortKey& key : keys) {
    texts.emplace_back(source, key.Column, count, [this](size_t i) { return rows_[i].Key; });
  }
  std::vector<TSortItem> items(count);
  for (size_t i = 0; i < count; ++i) {
    uint64_t prefix = keys.empty() ? 0 : texts[0].Prefix(i);
    if (!keys.empty() && keys[0].Descending) prefix = ~prefix;
    items[i] = {prefix, static_cast<uint32_t>(i), rows_[i].Insertion};
  }
  std::sort(items.begin(), items.end(), TRowComparator(keys, texts));
  std::vector<TRow> ordered(count);
  for (size_t i = 0; i < count; ++i) ordered[i] = rows_[items[i].Position];
  rows_ = std::move(ordered);
}
