#include <gtest/gtest.h>

#include "tests/ui/grid/support/TableSource.h"
#include "ui/grid/GroupOutline.h"
#include "ui/grid/RowStore.h"

namespace {

// City, street, phone.
const std::vector<std::vector<std::string>> kRows = {{"B", "x", "1"}, {"A", "y", "2"}, {"B", "y", "3"},
                                                     {"A", "y", "4"}, {"B", "x", "5"}, {"C", "z", "6"}};

class GroupOutline : public ::testing::Test {
 protected:
  void GroupBy(const std::vector<int>& grouping) {
    std::vector<TSortKey> keys;
    for (int column : grouping) keys.push_back({column, false});
    keys.push_back({2, false});
    for (uint32_t key = 0; key < kRows.size(); ++key) store.Append(key);
    outline.Build(store.Order(keys, source, grouping.size()), store.Size());
  }

  // One line per shown entry: "g<level>:<text>" for groups, the phone for rows.
  std::vector<std::string> Shown() const {
    std::vector<std::string> lines;
    std::string scratch;
    for (size_t i = 0; i < outline.ShownCount(); ++i) {
      const TOutlineEntry entry = outline.EntryAt(i);
      if (entry.IsGroup) {
        const TGroup& g = outline.Group(entry.Index);
        const size_t level = outline.Level(entry.Index);
        lines.push_back("g" + std::to_string(level) + ":" +
                        std::string(source.CellText(store.KeyAt(g.Begin), level == 0 ? 0 : 1, scratch)));
      } else {
        lines.emplace_back(source.CellText(store.KeyAt(entry.Index), 2, scratch));
      }
    }
    return lines;
  }

  using Lines = std::vector<std::string>;
  TTableSource source{kRows};
  TRowStore store;
  TGroupOutline outline;
};

}  // namespace

TEST_F(GroupOutline, NewGroupsAreCollapsedOnePerDistinctText) {
  GroupBy({0});
  EXPECT_EQ(Shown(), (Lines{"g0:A", "g0:B", "g0:C"}));
  EXPECT_EQ(outline.Group(1).End - outline.Group(1).Begin, 3u);
}

TEST_F(GroupOutline, ExpandingShowsRowsAndCollapsingHidesThem) {
  GroupBy({0});
  const TOutlineSpan shown = outline.Expand(1);
  EXPECT_EQ(shown.First, 2u);
  EXPECT_EQ(shown.Count, 3u);
  EXPECT_EQ(Shown(), (Lines{"g0:A", "g0:B", "1", "3", "5", "g0:C"}));
  EXPECT_EQ(outline.Expand(1).Count, 0u);  // already open
  const TOutlineSpan hidden = outline.Collapse(1);
  EXPECT_EQ(hidden.Count, 3u);
  EXPECT_EQ(Shown(), (Lines{"g0:A", "g0:B", "g0:C"}));
}

TEST_F(GroupOutline, NestedGroupsFollowTheGroupingList) {
  GroupBy({0, 1});
  outline.Expand(1);
  EXPECT_EQ(Shown(), (Lines{"g0:A", "g0:B", "g1:x", "g1:y", "g0:C"}));
  outline.Expand(2);
  EXPECT_EQ(Shown(), (Lines{"g0:A", "g0:B", "g1:x", "1", "5", "g1:y", "g0:C"}));
  // Collapsing the outer group hides everything nested; re-opening it restores the
  // inner group as it was left.
  EXPECT_EQ(outline.Collapse(1).Count, 4u);
  outline.Expand(1);
  EXPECT_EQ(Shown(), (Lines{"g0:A", "g0:B", "g1:x", "1", "5", "g1:y", "g0:C"}));
}

TEST_F(GroupOutline, RemovingTheLastRowsRemovesTheirEmptyGroups) {
  GroupBy({0, 1});
  outline.Expand(2);  // C
  outline.Expand(3);  // C / z
  ASSERT_EQ(Shown(), (Lines{"g0:A", "g0:B", "g0:C", "g1:z", "6"}));
  const TOutlineSpan span = outline.RemovalSpan(4);
  EXPECT_EQ(span.First, 2u);
  EXPECT_EQ(span.Count, 3u);
  store.RemoveAt(outline.EntryAt(4).Index);
  outline.RowRemoved(4);
  EXPECT_EQ(Shown(), (Lines{"g0:A", "g0:B"}));
}

TEST_F(GroupOutline, RemovingOneOfSeveralRowsKeepsTheGroup) {
  GroupBy({0});
  outline.Expand(0);  // A: 2, 4
  EXPECT_EQ(outline.RemovalSpan(1).Count, 1u);
  store.RemoveAt(outline.EntryAt(1).Index);
  outline.RowRemoved(1);
  EXPECT_EQ(Shown(), (Lines{"g0:A", "4", "g0:B", "g0:C"}));
  outline.Expand(2);
  EXPECT_EQ(Shown(), (Lines{"g0:A", "4", "g0:B", "1", "3", "5", "g0:C"}));
}

TEST_F(GroupOutline, AnEmptiedInnerGroupStaysHiddenWhenItsParentReopens) {
  GroupBy({0, 1});
  outline.Expand(1);  // B
  outline.Expand(2);  // B / x: 1, 5
  for (int i = 0; i < 2; ++i) {
    store.RemoveAt(outline.EntryAt(3).Index);
    outline.RowRemoved(3);
  }
  EXPECT_EQ(Shown(), (Lines{"g0:A", "g0:B", "g1:y", "g0:C"}));
  outline.Collapse(1);
  outline.Expand(1);
  EXPECT_EQ(Shown(), (Lines{"g0:A", "g0:B", "g1:y", "g0:C"}));
}

TEST_F(GroupOutline, AnInsertedRowJoinsTheGroupOfTheRowItDisplaces) {
  GroupBy({0});
  outline.Expand(1);  // B: 1, 3, 5
  store.InsertAt(outline.EntryAt(3).Index, kEmptyRowKey);
  outline.RowInserted(3);
  EXPECT_EQ(outline.Group(1).End - outline.Group(1).Begin, 4u);
  EXPECT_EQ(outline.Group(2).Begin, 6u);
  EXPECT_EQ(store.KeyAt(outline.EntryAt(3).Index), kEmptyRowKey);
  std::string scratch;
  EXPECT_EQ(source.CellText(store.KeyAt(outline.EntryAt(4).Index), 2, scratch), "3");
}
