#include "GroupOutline.h"


namespace {

// Splits [begin, end) into runs of equal codes.
void AppendRuns(const std::vector<uint64_t>& codes, uint32_t begin, uint32_t end, uint16_t level,
                std::vector<TGroup>& out) {
  uint32_t runStart = begin;
  for (uint32_t position = begin + 1; position < end; ++position) {
    if (codes[position] == codes[position - 1]) continue;
    out.push_back({runStart, position, 0, 0, level, false});
    runStart = position;
  }
  if (end > begin) out.push_back({runStart, end, 0, 0, level, false});
}

}  // namespace

void TGroupOutline::Build(const std::vector<std::vector<uint64_t>>& levelCodes, size_t rowCount) {
  Clear();
  levels_ = levelCodes.size();
  if (levels_ == 0) return;
  AppendRuns(levelCodes[0], 0, static_cast<uint32_t>(rowCount), 0, groups_);
  size_t levelBegin = 0;
  for (size_t level = 1; level < levels_; ++level) {
    const size_t levelEnd = groups_.size();
    for (size_t parent = levelBegin; parent < levelEnd; ++parent) {
      groups_[parent].FirstChild = static_cast<uint32_t>(groups_.size());
      AppendRuns(levelCodes[level], groups_[parent].Begin, groups_[parent].End, static_cast<uint16_t>(level), groups_);
      groups_[parent].ChildCount = static_cast<uint32_t>(groups_.size()) - groups_[parent].FirstChild;
    }
    levelBegin = levelEnd;
  }
  for (size_t g = 0; g < groups_.size() && groups_[g].Level == 0; ++g) shown_.push_back(kGroupBit | uint32_t(g));
}

void TGroupOutline::Clear() {
  groups_.clear();
  shown_.clear();
  levels_ = 0;
}

TOutlineEntry TGroupOutline::EntryAt(size_t shownIndex) const {
  const uint32_t entry = shown_[shownIndex];
  return {(entry & kGroupBit) != 0, entry & ~kGroupBit};
}

std::vector<uint32_t> TGroupOutline::ShownChildren(uint32_t group) const {
  std::vector<uint32_t> entries;
  const TGroup& g = groups_[group];
  if (g.Level + 1u == levels_) {
    for (uint32_t position = g.Begin; position < g.End; ++position) entries.push_back(position);
    return entries;
  }
  for (uint32_t child = g.FirstChild; child < g.FirstChild + g.ChildCount; ++child) {
    if (groups_[child].Begin == groups_[child].End) continue;  // emptied by deletions
    entries.push_back(kGroupBit | child);
    if (groups_[child].Expanded) {
      std::vector<uint32_t> nested = ShownChildren(child);
      entries.insert(entries.end(), nested.begin(), nested.end());
    }
  }
  return entries;
}

TOutlineSpan TGroupOutline::Expand(size_t shownIndex) {
  const TOutlineEntry entry = EntryAt(shownIndex);
  if (!entry.IsGroup || groups_[entry.Index].Expanded) return {shownIndex + 1, 0};
  groups_[entry.Index].Expanded = true;
  std::vector<uint32_t> children = ShownChildren(entry.Index);
  shown_.insert(shown_.begin() + static_cast<std::ptrdiff_t>(shownIndex + 1), children.begin(), children.end());
  return {shownIndex + 1, children.size()};
}

TOutlineSpan TGroupOutline::Collapse(size_t shownIndex) {
  const TOutlineEntry entry = EntryAt(shownIndex);
  if (!entry.IsGroup || !groups_[entry.Index].Expanded) return {shownIndex + 1, 0};
  groups_[entry.Index].Expanded = false;
  const uint16_t level = groups_[entry.Index].Level;
  size_t end = shownIndex + 1;
  while (end < shown_.size()) {
    const TOutlineEntry next = EntryAt(end);
    if (next.IsGroup && groups_[next.Index].Level <= level) break;
    ++end;
  }
  shown_.erase(shown_.begin() + static_cast<std::ptrdiff_t>(shownIndex + 1),
               shown_.begin() + static_cast<std::ptrdiff_t>(end));
  return {shownIndex + 1, end - shownIndex - 1};
}

void TGroupOutline::ShiftRows(uint32_t position, int delta) {
  for (uint32_t& entry : shown_) {
    if ((entry & kGroupBit) == 0 && entry > position) entry = uint32_t(int64_t(entry) + delta);
  }
  for (TGroup& g : groups_) {
    if (g.Begin > position) g.Begin = uint32_t(int64_t(g.Begin) + delta);
    if (g.End > position) g.End = uint32_t(int64_t(g.End) + delta);
  }
}

void TGroupOutline::RowInserted(size_t shownIndex) {
  const uint32_t position = EntryAt(shownIndex).Index;
  // The old row at this position moves down by one along with everything after it,
  // while the groups around it grow by one.
  for (uint32_t& entry : shown_) {
    if ((entry & kGroupBit) == 0 && entry >= position) ++entry;
  }
  for (TGroup& g : groups_) {
    if (g.Begin > position) ++g.Begin;
    if (g.End > position) ++g.End;
  }
  shown_.insert(shown_.begin() + static_cast<std::ptrdiff_t>(shownIndex), position);
}

TOutlineSpan TGroupOutline::RemovalSpan(size_t shownIndex) const {
  const uint32_t position = EntryAt(shownIndex).Index;
  size_t first = shownIndex;
  while (first > 0) {
    const TOutlineEntry above = EntryAt(first - 1);
    if (!above.IsGroup) break;
    const TGroup& g = groups_[above.Index];
    if (g.Begin != position || g.End != position + 1) break;
    --first;
  }
  return {first, shownIndex - first + 1};
}

void TGroupOutline::RowRemoved(size_t shownIndex) {
  const TOutlineSpan span = RemovalSpan(shownIndex);
  const uint32_t position = EntryAt(shownIndex).Index;
  shown_.erase(shown_.begin() + static_cast<std::ptrdiff_t>(span.First),
               shown_.begin() + static_cast<std::ptrdiff_t>(span.First + span.Count));
  ShiftRows(position, -1);
}
