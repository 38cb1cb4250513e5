// Making memory resident must never change what it holds, nor touch a neighbour.

#include "data/ResidentMemory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

TEST(ResidentMemory, KeepsTheContentsOfColumnsFilledMeanwhileAndOfNeighbours) {
  std::vector<uint32_t> column(300'000);
  std::iota(column.begin(), column.end(), 7u);
  column.reserve(1'000'000);
  std::string text(5000, 'x');
  text.reserve(3'000'000);
  std::vector<uint32_t> neighbour(1000, 0xA5A5A5A5u);
  {
    const TResidentAhead resident({ReservedBlockOf(column), ReservedBlockOf(text)});
    for (uint32_t i = 300'000; i < 1'000'000; ++i) column.push_back(i + 7u);
    text.append(2'000'000, 'y');
    MakeResident(neighbour.data() + 1, 3);  // less than a page: nothing to do
  }
  for (uint32_t i = 0; i < column.size(); ++i) ASSERT_EQ(column[i], i + 7u);
  EXPECT_EQ(std::count(text.begin(), text.end(), 'x'), 5000);
  EXPECT_EQ(std::count(text.begin(), text.end(), 'y'), 2'000'000);
  EXPECT_EQ(std::count(neighbour.begin(), neighbour.end(), 0xA5A5A5A5u), 1000);
}
