#pragma once
// One column's cell texts read out of the source once per sort, so that the
// comparisons of a sort never call back into the source. Cells that view the same
// stored text share one entry; only texts the source builds per cell are copied.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/grid/CellSource.h"

class TColumnTexts {
 public:
  // The texts of keys[position], read in the order of visits (a permutation of the
  // positions, see KeyVisits).
  TColumnTexts(const TCellSource& source, int column, const std::vector<uint32_t>& keys,
               const std::vector<uint32_t>& visits);

  size_t Count() const { return entryOf_.size(); }
  // The entry of position's text, in [0, Entries()). Equal texts may have several.
  uint32_t EntryAt(size_t position) const { return entryOf_[position]; }
  size_t Entries() const { return kept_.size() + CopiedCount(); }
  std::string_view Text(uint32_t entry) const {
    if (entry < kept_.size()) return kept_[entry];
    const size_t copied = entry - kept_.size();
    return std::string_view(arena_).substr(copiedStarts_[copied], copiedStarts_[copied + 1] - copiedStarts_[copied]);
  }
  // Entries [0, KeptEntries()) view the source's texts, the others copies of them.
  size_t KeptEntries() const { return kept_.size(); }
  // The copied texts end to end.
  std::string_view CopiedBytes() const { return arena_; }
  size_t Longest() const { return longest_; }
  // True when each position has an entry of its own, the one of its number, as a
  // column copied in position order has: codes by entry are then codes by position.
  bool EntriesArePositions() const { return entriesArePositions_; }

  // Eight bytes from `from` on as a big-endian number, zero-padded: with equal bytes
  // before them, a smaller number means a smaller text; an equal one decides nothing.
  uint64_t Bytes(uint32_t entry, size_t from = 0) const;

 private:
  // Entry of a text the source keeps (tag clear) or of one copied into the arena (tag set).
  uint32_t Add(std::string_view text, const std::string& scratch);
  uint32_t KeptEntry(std::string_view text);
  uint32_t CopiedEntry(std::string_view text);
  size_t CopiedCount() const { return copiedStarts_.empty() ? 0 : copiedStarts_.size() - 1; }
  // Makes the copied texts entries after the kept ones, now that all are known.
  void Seal();

  static constexpr uint32_t kCopiedTag = 0x80000000u;
  // Enough slots for the streets of a city, few enough to stay in the second-level cache.
  static constexpr unsigned kSlotBits = 14;
  static constexpr size_t kSampleTexts = 4096;

  struct TSlot {
    const char* Data;
    uint32_t Size;
    uint32_t Entry;
  };
  // The latest kept texts by address, so that cells viewing one stored text mostly
  // share its entry; a text pushed out merely gets another.
  std::vector<TSlot> slots_ = std::vector<TSlot>(size_t{1} << kSlotBits, TSlot{nullptr, UINT32_MAX, 0});
  std::vector<std::string_view> kept_;
  std::string arena_;
  std::vector<size_t> copiedStarts_;  // and the end of the last
  std::vector<uint32_t> entryOf_;
  bool entriesArePositions_ = false;
  size_t longest_ = 0;
};
