#include "ui/grid/GroupOutline.h"

#include <algorithm>

namespace {

// Splits [begin, end) into runs of equal codes.
void AppendRuns(const std::vector<uint64_t>& codes, uint32_t begin, uint32_t end, std::vector<TGroup>& out) {
  uint32_t runStart = begin;
  for (uint32_t position = begin + 1; position < end; ++position) {
    if (codes[position] == codes[position - 1]) continue;
    out.push_back({runStart, position, 0});
    runStart = position;
  }
  if (end > begin) out.push_back({runStart, end, 0});
}

}  // namespace

void TGroupOutline::Build(const std::vector<std::vector<uint64_t>>& levelCodes, size_t rowCount) {
  Clear();
  if (levelCodes.empty()) return;
  levelStarts_.push_back(0);
  AppendRuns(levelCodes[0], 0, static_cast<uint32_t>(rowCount), groups_);
  for (size_t level = 1; level < levelCodes.size(); ++level) {
    const uint32_t levelBegin = levelStarts_.back();
    const auto levelEnd = static_cast<uint32_t>(groups_.size());
    levelStarts_.push_back(levelEnd);
    for (uint32_t parent = levelBegin; parent < levelEnd; ++parent) {
      groups_[parent].FirstChild = static_cast<uint32_t>(groups_.size());
      AppendRuns(levelCodes[level], groups_[parent].Begin, groups_[parent].End, groups_);
    }
  }
  levelStarts_.push_back(static_cast<uint32_t>(groups_.size()));
  groups_.shrink_to_fit();
  expanded_.assign(groups_.size(), false);
  shown_.reserve(levelStarts_[1]);
  for (uint32_t g = 0; g < levelStarts_[1]; ++g) shown_.push_back(kGroupBit | g);
}

void TGroupOutline::Clear() {
  groups_ = {};
  expanded_ = {};
  levelStarts_.clear();
  shown_ = {};
}

TOutlineEntry TGroupOutline::EntryAt(size_t shownIndex) const {
  const uint32_t entry = shown_[shownIndex];
  return {(entry & kGroupBit) != 0, entry & ~kGroupBit};
}

size_t TGroupOutline::Level(uint32_t group) const {
  return static_cast<size_t>(std::upper_bound(levelStarts_.begin(), levelStarts_.end(), group) - levelStarts_.begin()) -
         1;
}

uint32_t TGroupOutline::ChildrenEnd(uint32_t group) const {
  const size_t level = Level(group);
  if (group + 1 < levelStarts_[level + 1]) return groups_[group + 1].FirstChild;
  return levelStarts_[level + 2];
}

std::vector<uint32_t> TGroupOutline::ShownChildren(uint32_t group) const {
  std::vector<uint32_t> entries;
  const TGroup& g = groups_[group];
  if (Level(group) + 1 == Levels()) {
    for (uint32_t position = g.Begin; position < g.End; ++position) entries.push_back(position);
    return entries;
  }
  for (uint32_t child = g.FirstChild; child < ChildrenEnd(group); ++child) {
    if (groups_[child].Begin == groups_[child].End) continue;  // emptied by deletions
    entries.push_back(kGroupBit | child);
    if (expanded_[child]) {
      std::vector<uint32_t> nested = ShownChildren(child);
      entries.insert(entries.end(), nested.begin(), nested.end());
    }
  }
  return entries;
}

TOutlineSpan TGroupOutline::Expand(size_t shownIndex) {
  const TOutlineEntry entry = EntryAt(shownIndex);
  if (!entry.IsGroup || expanded_[entry.Index]) return {shownIndex + 1, 0};
  expanded_[entry.Index] = true;
  std::vector<uint32_t> children = ShownChildren(entry.Index);
  shown_.insert(shown_.begin() + static_cast<std::ptrdiff_t>(shownIndex + 1), children.begin(), children.end());
  return {shownIndex + 1, children.size()};
}

TOutlineSpan TGroupOutline::Collapse(size_t shownIndex) {
  const TOutlineEntry entry = EntryAt(shownIndex);
  if (!entry.IsGroup || !expanded_[entry.Index]) return {shownIndex + 1, 0};
  expanded_[entry.Index] = false;
  const size_t level = Level(entry.Index);
  size_t end = shownIndex + 1;
  while (end < shown_.size()) {
    const TOutlineEntry next = EntryAt(end);
    if (next.IsGroup && Level(next.Index) <= level) break;
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
  // Everything from the displaced row on moves down by one; the groups around the
  // displaced row grow by one, since their End lies beyond it.
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
