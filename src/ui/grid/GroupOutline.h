#pragma once
// Groups of the ordered rows (runs of equal texts, nested in grouping order) and the
// flat list of what is shown: group rows, and the rows of expanded groups.

#include <cstdint>
#include <vector>

#include <cstddef>

struct TGroup {
  uint32_t Begin;  // row positions [Begin, End)
  uint32_t End;
  uint32_t FirstChild;  // child groups, unless the group is of the innermost level
  uint32_t ChildCount;
  uint16_t Level;
  bool Expanded;
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
  size_t Levels() const { return levels_; }

  // Both act on the group shown at shownIndex and return what was shown or hidden.
  TOutlineSpan Expand(size_t shownIndex);
  TOutlineSpan Collapse(size_t shownIndex);

  // The row store has had a row inserted at (removed from) the position of the row
  // shown at shownIndex; the row joins (leaves) that row's groups.
  void RowInserted(size_t shownIndex);
  // What disappears with the row shown at shownIndex: the row and the groups just
  // above it that it leaves empty. Ask before the removal.
  TOutlineSpan RemovalSpan(size_t shownIndex) const;
  void RowRemoved(size_t shownIndex);

 private:
  static constexpr uint32_t kGroupBit = 0x80000000u;
  std::vector<uint32_t> ShownChildren(uint32_t group) const;
  void ShiftRows(uint32_t position, int delta);

  std::vector<TGroup> groups_;
  std::vector<uint32_t> shown_;  // row positions, or group indices with kGroupBit
  size_t levels_ = 0;
};
