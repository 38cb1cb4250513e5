#pragma once
// Groups of the ordered rows (runs of equal texts, nested in grouping order) and the
// flat list of what is shown: group rows, and the rows of expanded groups.
//
// Groups are stored level after level, each level in row order, so a group's children
// are the run of the next level between its FirstChild and its next sibling's; that
// keeps a group to 12 bytes even when every row is a group of its own.

#include <cstddef>
#include <cstdint>
#include <vector>

struct TGroup {
  uint32_t Begin;  // row positions [Begin, End)
  uint32_t End;
  uint32_t FirstChild;  // first group of the next level inside this one
};

struct TOutlineEntry {
  bool IsGroup;
  uint32_t Index;  // group index, or row position
};

// A run of shown entries that appeared or disappeared.
struct TOutlineSpan {
  size_t First;
  size_t Count;
};

class TGroupOutline {
 public:
  // levelCodes[level][position]: the grouping column's text code of each ordered row
  // (see TRowStore::Order), equal exactly for equal texts. Groups start collapsed.
  void Build(const std::vector<std::vector<uint64_t>>& levelCodes, size_t rowCount);
  void Clear();

  size_t ShownCount() const { return shown_.size(); }
  TOutlineEntry EntryAt(size_t shownIndex) const;
  const TGroup& Group(uint32_t index) const { return groups_[index]; }
  size_t GroupCount() const { return groups_.size(); }
  size_t Levels() const { return levelStarts_.empty() ? 0 : levelStarts_.size() - 1; }
  size_t Level(uint32_t group) const;
  bool IsExpanded(uint32_t group) const { return expanded_[group]; }

  // Both act on the group shown at shownIndex and return what was shown or hidden.
  TOutlineSpan Expand(size_t shownIndex);
  TOutlineSpan Collapse(size_t shownIndex);

  // The row store has had a row inserted at the position of the row shown at
  // shownIndex; the new row joins that row's groups.
  void RowInserted(size_t shownIndex);
  // What disappears with the row shown at shownIndex: the row and the groups just
  // above it that it leaves empty. Ask before the removal.
  TOutlineSpan RemovalSpan(size_t shownIndex) const;
  void RowRemoved(size_t shownIndex);

 private:
  static constexpr uint32_t kGroupBit = 0x80000000u;
  uint32_t ChildrenEnd(uint32_t group) const;
  std::vector<uint32_t> ShownChildren(uint32_t group) const;
  void ShiftRows(uint32_t position, int delta);

  std::vector<TGroup> groups_;
  std::vector<bool> expanded_;
  std::vector<uint32_t> levelStarts_;  // first group of each level, then the group count
  std::vector<uint32_t> shown_;        // row positions, or group indices with kGroupBit
};
