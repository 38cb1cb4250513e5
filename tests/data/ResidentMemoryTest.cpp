// Making memory resident must never change what it holds, nor touch a neighbour.

#include "data/ResidentMemory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

TEST(ResidentMemory, KeepsTheContentsOfAFilledColumnAndItsNeighbours) {
  std::vector<uint32_t> column(300'000);
  std::iota(column.begin(), column.end(), 7u);
  column.reserve(1'000'000);
  std::vector<uint32_t> neighbour(1000, 0xA5A5A5A5u);
  MakeReservedResident(column);
  MakeResident(neighbour.data() + 1, 3);  // less than a page: nothing to do
  for (uint32_t i = 0; i < column.size(); ++i) ASSERT_EQ(column[i], i + 7u);
  EXPECT_EQ(std::count(neighbour.begin(), neighbour.end(), 0xA5A5A5A5u), 1000);
}
