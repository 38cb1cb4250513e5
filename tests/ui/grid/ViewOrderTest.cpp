#include <gtest/gtest.h>

#include "ui/grid/ViewOrder.h"

using Keys = std::vector<TSortKey>;

TEST(ViewOrder, PlainClickSortsByThatColumnAloneAndReversesNext) {
  TViewOrder order({{0, false}});
  order.Click(1, false, false);
  EXPECT_EQ(order.SortList(), (Keys{{1, false}}));
  order.Click(1, false, false);
  EXPECT_EQ(order.SortList(), (Keys{{1, true}}));
  order.Click(1, false, false);
  EXPECT_EQ(order.SortList(), (Keys{{1, false}}));
}

TEST(ViewOrder, ShiftClickAddsOrReversesKeysInPlace) {
  TViewOrder order({{0, false}});
  order.Click(3, true, false);
  order.Click(2, true, false);
  EXPECT_EQ(order.SortList(), (Keys{{0, false}, {3, false}, {2, false}}));
  order.Click(3, true, false);
  EXPECT_EQ(order.SortList(), (Keys{{0, false}, {3, true}, {2, false}}));
  order.Click(2, false, false);
  EXPECT_EQ(order.SortList(), (Keys{{2, true}}));
}

TEST(ViewOrder, CtrlClickRemovesOnlyThatKey) {
  TViewOrder order({{0, false}});
  order.Click(0, false, true);
  EXPECT_TRUE(order.SortList().empty());
  EXPECT_TRUE(order.ComparisonKeys().empty());
  order.Click(4, true, false);
  order.Click(5, true, false);
  order.Click(6, true, false);
  order.Click(5, false, true);
  EXPECT_EQ(order.SortList(), (Keys{{4, false}, {6, false}}));
  order.Click(1, false, true);  // not sorted: nothing happens
  EXPECT_EQ(order.SortList(), (Keys{{4, false}, {6, false}}));
}

TEST(ViewOrder, GroupingColumnsKeepTheirKeysAndComeFirst) {
  TViewOrder order({{0, false}});
  order.Group(2);
  order.Click(2, false, false);  // the grouping button: reverses the groups
  EXPECT_EQ(order.ComparisonKeys(), (Keys{{2, true}, {0, false}}));
  order.Click(1, false, false);
  EXPECT_EQ(order.SortList(), (Keys{{2, true}, {1, false}}));
  order.Group(3);
  EXPECT_EQ(order.ComparisonKeys(), (Keys{{2, true}, {3, false}, {1, false}}));
  order.Group(3);
  EXPECT_EQ(order.Grouping(), (std::vector<int>{2, 3}));
  order.Ungroup(2);
  EXPECT_EQ(order.Grouping(), (std::vector<int>{3}));
  EXPECT_EQ(order.ComparisonKeys(), (Keys{{3, false}, {2, true}, {1, false}}));
}

TEST(ViewOrder, DirectionReportsEachColumn) {
  TViewOrder order({{0, false}});
  order.Click(1, true, false);
  order.Click(1, true, false);
  EXPECT_EQ(order.Direction(0), 1);
  EXPECT_EQ(order.Direction(1), -1);
  EXPECT_EQ(order.Direction(2), 0);
}
