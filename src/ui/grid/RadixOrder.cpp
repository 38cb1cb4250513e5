#include "RadixOrder.h"

#include <algorithm>
#include <bit>
#include <numeric>
#include <utility>

namespace {

struct TKeyed {
  uint64_t Key;
  uint32_t Position;
};

// Small enough digits that one pass's counts stay in the first-level cache.
constexpr unsigned kMostDigitBits = 11;

// Stable sort by Key, which is below 2^width: one counting pass per digit, least
// significant first, each moving the items between the two buffers.
void SortByKey(std::vector<TKeyed>& items, std::vector<TKeyed>& spare, unsigned width) {
  if (width == 0 || items.empty()) return;
  const unsigned passes = (width + kMostDigitBits - 1) / kMostDigitBits;
  const unsigned bits = (width + passes - 1) / passes;
  const size_t buckets = size_t{1} << bits;
  const uint64_t mask = buckets - 1;
  std::vector<uint32_t> counts(passes * buckets, 0);
  for (const TKeyed& item : items) {
    uint64_t key = item.Key;
    for (unsigned pass = 0; pass < passes; ++pass, key >>= bits) ++counts[pass * buckets + (key & mask)];
  }
  for (unsigned pass = 0; pass < passes; ++pass) {
    uint32_t* next = counts.data() + pass * buckets;
    const unsigned shift = pass * bits;
    // A digit every item shares would move nothing.
    if (next[(items.front().Key >> shift) & mask] == items.size()) continue;
    uint32_t sum = 0;
    for (size_t bucket = 0; bucket < buckets; ++bucket) sum += std::exchange(next[bucket], sum);
    for (const TKeyed& item : items) spare[next[(item.Key >> shift) & mask]++] = item;
    items.swap(spare);
  }
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

  std::vector<TKeyed> items(count);
  std::vector<TKeyed> spare(count);
  for (size_t i = 0; i < count; ++i) items[i].Position = static_cast<uint32_t>(i);
  // From the least significant key up, as many keys side by side in one number as
  // fit, each stable sort keeping the order of the less significant keys among equals.
  for (size_t end = ranges.size(); end > 0;) {
    size_t begin = end - 1;
    unsigned width = ranges[begin].Width;
    while (begin > 0 && width + ranges[begin - 1].Width <= 64) width += ranges[--begin].Width;
    for (TKeyed& item : items) {
      uint64_t packed = 0;
      for (size_t k = begin; k < end; ++k) {
        const uint64_t digit = (*ranges[k].Key)[item.Position] - ranges[k].Smallest;
        packed = k == begin ? digit : (packed << ranges[k].Width) | digit;
      }
      item.Key = packed;
    }
    SortByKey(items, spare, width);
    end = begin;
  }
  for (size_t i = 0; i < count; ++i) order[i] = items[i].Position;
  return order;
}
