#include "ui/grid/RadixOrder.h"

#include <algorithm>
#include <bit>
#include <memory>
#include <numeric>
#include <utility>

namespace {

struct TKeyed {
  uint64_t Key;
  uint32_t Position;
};

// Small enough digits that one pass's counts stay in the first-level cache.
constexpr unsigned kMostDigitBits = 11;
// Runs this short cost less by insertion than by counting.
constexpr size_t kInsertionRun = 32;
// From this many items on, the top digit goes first, so that the passes over the
// other digits work on runs that fit the caches.
constexpr size_t kSplitItems = 4096;

// Stable sort of [first, last) by Key, whose bits from `width` up are the same for
// all: one counting pass per digit, least significant first, moving the items
// between the run and as much room at spare. The run ends where it started.
void SortLowDigits(TKeyed* first, TKeyed* last, TKeyed* spare, unsigned width, std::vector<uint32_t>& counts) {
  const auto size = static_cast<size_t>(last - first);
  if (size < 2 || width == 0) return;
  if (size <= kInsertionRun) {
    for (TKeyed* item = first + 1; item != last; ++item) {
      const TKeyed moved = *item;
      TKeyed* hole = item;
      for (; hole != first && (hole - 1)->Key > moved.Key; --hole) *hole = *(hole - 1);
      *hole = moved;
    }
    return;
  }
  const unsigned passes = (width + kMostDigitBits - 1) / kMostDigitBits;
  const unsigned bits = (width + passes - 1) / passes;
  const size_t buckets = size_t{1} << bits;
  const uint64_t mask = buckets - 1;
  counts.assign(passes * buckets, 0);
  for (const TKeyed* item = first; item != last; ++item) {
    uint64_t key = item->Key;
    for (unsigned pass = 0; pass < passes; ++pass, key >>= bits) ++counts[pass * buckets + (key & mask)];
  }
  TKeyed* from = first;
  TKeyed* to = spare;
  for (unsigned pass = 0; pass < passes; ++pass) {
    uint32_t* next = counts.data() + pass * buckets;
    const unsigned shift = pass * bits;
    // A digit every item shares would move nothing.
    if (next[(first->Key >> shift) & mask] == size) continue;
    uint32_t sum = 0;
    for (size_t bucket = 0; bucket < buckets; ++bucket) sum += std::exchange(next[bucket], sum);
    for (const TKeyed* item = from; item != from + size; ++item) to[next[(item->Key >> shift) & mask]++] = *item;
    std::swap(from, to);
  }
  if (from != first) std::copy(from, from + size, first);
}

// The bits a key needs once its smallest value is taken off every number.
struct TKeyRange {
  const std::vector<uint64_t>* Key;
  uint64_t Smallest;
  unsigned Width;
};

}  // namespace

std::vector<uint32_t> RadixOrder(const std::vector<const std::vector<uint64_t>*>& keys, size_t count) {
  std::vector<uint32_t> order(count);
  std::iota(order.begin(), order.end(), 0u);
  std::vector<TKeyRange> ranges;
  for (const std::vector<uint64_t>* key : keys) {
    if (count == 0) break;
    const auto [smallest, largest] =
        std::minmax_element(key->begin(), key->begin() + static_cast<std::ptrdiff_t>(count));
    const auto width = static_cast<unsigned>(std::bit_width(*largest - *smallest));
    // A key with one value for all decides nothing.
    if (width > 0) ranges.push_back({key, *smallest, width});
  }
  if (ranges.empty()) return order;

  // The items in the order of the keys sorted so far; none yet means by position.
  std::unique_ptr<TKeyed[]> sorted;
  std::vector<TKeyed> spare;
  std::vector<uint32_t> counts;
  // From the least significant key up, as many keys side by side in one number as
  // fit, each stable sort keeping the order of the less significant keys among equals.
  for (size_t end = ranges.size(); end > 0;) {
    size_t begin = end - 1;
    unsigned width = ranges[begin].Width;
    while (begin > 0 && width + ranges[begin - 1].Width <= 64) width += ranges[--begin].Width;
    const auto itemAt = [&](size_t i) {
      const auto position = sorted ? sorted[i].Position : static_cast<uint32_t>(i);
      uint64_t packed = 0;
      for (size_t k = begin; k < end; ++k) {
        const uint64_t digit = (*ranges[k].Key)[position] - ranges[k].Smallest;
        packed = k == begin ? digit : (packed << ranges[k].Width) | digit;
      }
      return TKeyed{packed, position};
    };
    // Left uninitialised: every item is written before it is read.
    std::unique_ptr<TKeyed[]> items(new TKeyed[count]);
    if (count < kSplitItems || width <= kMostDigitBits) {
      for (size_t i = 0; i < count; ++i) items[i] = itemAt(i);
      spare.resize(count);
      SortLowDigits(items.get(), items.get() + count, spare.data(), width, counts);
    } else {
      // The top digit first, straight from the keys, splits the items into runs small
      // enough for the caches; each is then sorted by the other digits.
      const unsigned low = width - kMostDigitBits;
      std::vector<uint32_t> begins((size_t{1} << kMostDigitBits) + 1, 0);
      for (size_t i = 0; i < count; ++i) {
        const TKeyed item = itemAt(i);
        // The earlier order has no further use but to be read once more below.
        if (sorted) sorted[i] = item;
        ++begins[(item.Key >> low) + 1];
      }
      std::partial_sum(begins.begin(), begins.end(), begins.begin());
      std::vector<uint32_t> next(begins.begin(), begins.end() - 1);
      for (size_t i = 0; i < count; ++i) {
        const TKeyed item = sorted ? sorted[i] : itemAt(i);
        items[next[item.Key >> low]++] = item;
      }
      sorted.reset();
      size_t longestRun = 0;
      for (size_t bucket = 0; bucket + 1 < begins.size(); ++bucket) {
        longestRun = std::max<size_t>(longestRun, begins[bucket + 1] - begins[bucket]);
      }
      spare.resize(longestRun);
      for (size_t bucket = 0; bucket + 1 < begins.size(); ++bucket) {
        SortLowDigits(items.get() + begins[bucket], items.get() + begins[bucket + 1], spare.data(), low, counts);
      }
    }
    sorted = std::move(items);
    end = begin;
  }
  for (size_t i = 0; i < count; ++i) order[i] = sorted[i].Position;
  return order;
}
