#include "ui/grid/ViewOrder.h"

#include <algorithm>

TViewOrder::TViewOrder(std::vector<TSortKey> initialSort) : sort_(std::move(initialSort)) {}

bool TViewOrder::IsGrouped(int column) const {
  return std::find(grouping_.begin(), grouping_.end(), column) != grouping_.end();
}

int TViewOrder::Direction(int column) const {
  for (const TSortKey& key : sort_) {
    if (key.Column == column) return key.Descending ? -1 : 1;
  }
  return 0;
}

void TViewOrder::Click(int column, bool shift, bool ctrl) {
  if (ctrl) {
    std::erase_if(sort_, [column](const TSortKey& key) { return key.Column == column; });
    return;
  }
  if (!shift && !IsGrouped(column)) {
    // The clicked key survives so that a second plain click reverses it.
    std::erase_if(sort_, [&](const TSortKey& key) { return key.Column != column && !IsGrouped(key.Column); });
  }
  auto found = std::find_if(sort_.begin(), sort_.end(), [column](const TSortKey& key) { return key.Column == column; });
  if (found == sort_.end()) {
    // A grouping column without a key is ascending already, so its click reverses it.
    sort_.push_back({column, IsGrouped(column)});
  } else {
    found->Descending = !found->Descending;
  }
}

void TViewOrder::Group(int column) {
  if (!IsGrouped(column)) grouping_.push_back(column);
}

void TViewOrder::Ungroup(int column) { std::erase(grouping_, column); }

std::vector<TSortKey> TViewOrder::ComparisonKeys() const {
  std::vector<TSortKey> keys;
  for (int column : grouping_) keys.push_back({column, Direction(column) < 0});
  for (const TSortKey& key : sort_) {
    if (!IsGrouped(key.Column)) keys.push_back(key);
  }
  return keys;
}
