#pragma once
// The user's choice of grouping and sort columns; it belongs to the view and outlives
// every refill of the rows.

#include <vector>

struct TSortKey {
  int Column;
  bool Descending;
  bool operator==(const TSortKey&) const = default;
};

class TViewOrder {
 public:
  explicit TViewOrder(std::vector<TSortKey> initialSort);

  const std::vector<int>& Grouping() const { return grouping_; }
  const std::vector<TSortKey>& SortList() const { return sort_; }
  bool IsGrouped(int column) const;
  // 0 when unsorted, else +1 ascending / -1 descending.
  int Direction(int column) const;

  // A click on a column header (or on a grouping button, which is a plain click).
  void Click(int column, bool shift, bool ctrl);
  void Group(int column);  // appended as the innermost grouping
  void Ungroup(int column);

  // Grouping columns first (ascending unless the sort list says otherwise), then the
  // remaining sort keys: the key list rows are compared by.
  std::vector<TSortKey> ComparisonKeys() const;

 private:
  std::vector<int> grouping_;
  std::vector<TSortKey> sort_;
};
