#include "ui/grid/ColumnFit.h"

#include <algorithm>
#include <numeric>

namespace {

// Shares total out in proportion to the weights of the columns not pinned; cumulative
// rounding keeps the sum exact without favouring any one column.
void Distribute(const std::vector<int>& weights, const std::vector<bool>& pinned, int total, std::vector<int>& out) {
  long long weightTotal = 0;
  int free = 0;
  for (size_t i = 0; i < weights.size(); ++i) {
    if (pinned[i]) continue;
    weightTotal += std::max(weights[i], 0);
    ++free;
  }
  const bool equal = weightTotal == 0;
  if (equal) weightTotal = free;
  long long before = 0;
  int placed = 0;
  for (size_t i = 0; i < weights.size(); ++i) {
    if (pinned[i]) continue;
    before += equal ? 1 : std::max(weights[i], 0);
    const int upTo = static_cast<int>(before * total / weightTotal);
    out[i] = upTo - placed;
    placed = upTo;
  }
}

}  // namespace

std::vector<int> ScaleToWidth(const std::vector<int>& widths, int total, int minimum) {
  std::vector<int> scaled(widths.size(), 0);
  if (widths.empty()) return scaled;
  const int count = static_cast<int>(widths.size());
  total = std::max(total, 0);
  if (minimum * count > total) minimum = 0;
  // Columns that would fall below the minimum are pinned at it, and the rest share
  // what remains; each round pins at least one more column or ends.
  std::vector<bool> pinned(widths.size(), false);
  int pinnedCount = 0;
  for (int round = 0; round <= count; ++round) {
    Distribute(widths, pinned, total - minimum * pinnedCount, scaled);
    bool pinnedMore = false;
    for (size_t i = 0; i < widths.size(); ++i) {
      if (pinned[i] || scaled[i] >= minimum) continue;
      pinned[i] = true;
      scaled[i] = minimum;
      ++pinnedCount;
      pinnedMore = true;
    }
    if (!pinnedMore) break;
  }
  return scaled;
}

std::vector<int> RefitAround(std::vector<int> widths, size_t fixed, int total, int minimum) {
  if (fixed >= widths.size()) return widths;
  const bool last = fixed + 1 == widths.size();
  const size_t first = last ? 0 : fixed + 1;
  const size_t end = last ? fixed : widths.size();
  if (first == end) {
    widths[fixed] = total;
    return widths;
  }
  int others = 0;
  for (size_t i = 0; i < widths.size(); ++i) {
    if (i != fixed && (i < first || i >= end)) others += widths[i];
  }
  const int room = total - others;
  const int rescaledCount = static_cast<int>(end - first);
  const int widest = std::max(room - minimum * rescaledCount, 0);
  widths[fixed] = std::max(std::min(widths[fixed], widest), std::min(minimum, widest));
  std::vector<int> part(widths.begin() + static_cast<std::ptrdiff_t>(first),
                        widths.begin() + static_cast<std::ptrdiff_t>(end));
  part = ScaleToWidth(part, room - widths[fixed], minimum);
  std::copy(part.begin(), part.end(), widths.begin() + static_cast<std::ptrdiff_t>(first));
  return widths;
}
