#include "ui/grid/RadixOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace {

std::vector<uint32_t> StableOrder(const std::vector<std::vector<uint64_t>>& keys, size_t count) {
  std::vector<uint32_t> order(count);
  std::iota(order.begin(), order.end(), 0u);
  std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
    for (const auto& key : keys) {
      if (key[a] != key[b]) return key[a] < key[b];
    }
    return false;
  });
  return order;
}

std::vector<uint32_t> Radix(const std::vector<std::vector<uint64_t>>& keys, size_t count) {
  std::vector<const std::vector<uint64_t>*> pointers;
  for (const auto& key : keys) pointers.push_back(&key);
  return RadixOrder(pointers, count);
}

// Keys spanning exactly the given numbers of bits above an offset, drawn from a few
// values each so that ties are common: sums of widths at and just past 64 bits,
// widths at digit boundaries, and keys of a single value.
TEST(RadixOrder, MatchesAStableSortAcrossKeyWidths) {
  const std::vector<std::vector<unsigned>> widthSets = {{64}, {32, 32}, {33, 32}, {1, 63},   {63, 2},     {64, 1, 64},
                                                        {11}, {12},     {22, 23}, {0, 5, 0}, {7, 7, 7, 7}};
  std::mt19937_64 random(3);
  for (const auto& widths : widthSets) {
    for (size_t count : {1u, 2u, 700u, 5000u}) {
      std::vector<std::vector<uint64_t>> keys;
      for (unsigned width : widths) {
        const uint64_t span = width == 64 ? UINT64_MAX : (uint64_t{1} << width) - 1;
        const uint64_t offset = width == 64 ? 0 : random() % (UINT64_MAX - span);
        std::vector<uint64_t> pool = {offset, offset + span};
        for (int i = 0; i < 30; ++i) pool.push_back(offset + (span == 0 ? 0 : random() % span));
        std::vector<uint64_t> key(count);
        for (uint64_t& value : key) value = pool[random() % pool.size()];
        if (count >= 2) {
          key[0] = offset;
          key[1] = offset + span;
        }
        keys.push_back(key);
      }
      EXPECT_EQ(Radix(keys, count), StableOrder(keys, count))
          << widths.size() << " keys, first of " << widths.front() << " bits, " << count << " rows";
    }
  }
}

TEST(RadixOrder, NoRowsOrNoKeysGiveThePositionsAsTheyAre) {
  EXPECT_TRUE(Radix({{}}, 0).empty());
  EXPECT_EQ(Radix({}, 3), (std::vector<uint32_t>{0, 1, 2}));
}

}  // namespace
