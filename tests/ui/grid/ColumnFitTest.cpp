#include <gtest/gtest.h>

#include <numeric>

#include "ui/grid/ColumnFit.h"

namespace {
int Sum(const std::vector<int>& widths) { return std::accumulate(widths.begin(), widths.end(), 0); }
}  // namespace

TEST(ColumnFit, ScalingFillsTheWidthExactlyAndKeepsProportions) {
  const std::vector<int> initial = {89, 212, 139, 118, 54, 59, 74};
  for (int total : {745, 723, 1200, 500}) {
    const std::vector<int> scaled = ScaleToWidth(initial, total, 20);
    EXPECT_EQ(Sum(scaled), total);
    EXPECT_NEAR(scaled[1] / double(scaled[0]), 212.0 / 89.0, 0.1) << total;
  }
  EXPECT_EQ(ScaleToWidth({100, 100}, 201, 20), (std::vector<int>{100, 101}));
}

TEST(ColumnFit, ScalingKeepsTheMinimumWhileThereIsRoom) {
  const std::vector<int> scaled = ScaleToWidth({1000, 1, 1}, 300, 20);
  EXPECT_EQ(Sum(scaled), 300);
  EXPECT_GE(scaled[1], 20);
  EXPECT_GE(scaled[2], 20);
  // No room for the minimum: the columns share what there is.
  EXPECT_EQ(Sum(ScaleToWidth({50, 50, 50}, 30, 20)), 30);
  EXPECT_EQ(ScaleToWidth({0, 0}, 40, 10), (std::vector<int>{20, 20}));
  EXPECT_TRUE(ScaleToWidth({}, 40, 10).empty());
}

TEST(ColumnFit, AResizedColumnKeepsItsWidthAndTheFollowingOnesGiveWay) {
  const std::vector<int> fitted = RefitAround({100, 150, 100, 100}, 1, 400, 20);
  EXPECT_EQ(fitted[0], 100);
  EXPECT_EQ(fitted[1], 150);
  EXPECT_EQ(fitted[2], 75);
  EXPECT_EQ(fitted[3], 75);
}

TEST(ColumnFit, TheLastColumnMakesTheOthersGiveWay) {
  const std::vector<int> fitted = RefitAround({100, 100, 200}, 2, 300, 20);
  EXPECT_EQ(fitted[2], 200);
  EXPECT_EQ(fitted[0] + fitted[1], 100);
}

TEST(ColumnFit, AColumnCannotSqueezeTheOthersBelowTheMinimum) {
  const std::vector<int> fitted = RefitAround({100, 900, 100, 100}, 1, 400, 20);
  EXPECT_EQ(Sum(fitted), 400);
  EXPECT_EQ(fitted[0], 100);
  EXPECT_EQ(fitted[1], 260);
  EXPECT_EQ(fitted[2], 20);
  EXPECT_EQ(fitted[3], 20);
  EXPECT_EQ(RefitAround({300}, 0, 250, 20), (std::vector<int>{250}));
}
