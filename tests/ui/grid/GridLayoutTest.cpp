// The grid layout read back from settings texts: exactly what was written, or nothing
// when any part would name a column twice, one that is not there, or miss one.

#include "ui/grid/GridLayout.h"

#include <gtest/gtest.h>

namespace {

std::optional<TGridLayout> Parse(std::string_view order, std::string_view widths, std::string_view sort = "",
                                 std::string_view grouping = "") {
  return ParseGridLayout(order, widths, sort, grouping, 3, 20);
}

}  // namespace

TEST(GridLayout, ReadsBackWhatIsWritten) {
  const TGridLayout layout{{2, 0, 1}, {20, 75, 10000}, {{1, true}, {0, false}}, {2}};
  EXPECT_EQ(Parse(ColumnListText(layout.VisualOrder), ColumnListText(layout.Widths), SortListText(layout.Sort),
                  ColumnListText(layout.Grouping)),
            layout);
  EXPECT_EQ(SortListText(layout.Sort), "1-,0+");
  const std::optional<TGridLayout> unsorted = Parse("0,1,2", "50,50,50");
  ASSERT_TRUE(unsorted);
  EXPECT_TRUE(unsorted->Sort.empty());
  EXPECT_TRUE(unsorted->Grouping.empty());
}

TEST(GridLayout, RefusesAnyPartThatDoesNotFitTheColumns) {
  EXPECT_FALSE(Parse("0,1", "50,50,50"));         // a column missing from the order
  EXPECT_FALSE(Parse("0,1,1", "50,50,50"));       // one twice
  EXPECT_FALSE(Parse("0,1,3", "50,50,50"));       // one that is not there
  EXPECT_FALSE(Parse("0,1,2", "50,50"));          // a width missing
  EXPECT_FALSE(Parse("0,1,2", "50,50,19"));       // narrower than a column can be
  EXPECT_FALSE(Parse("0,1,2", "50,50,10001"));    // wider than any screen
  EXPECT_FALSE(Parse("0,1,2", "50,50,5x"));       // not a number
  EXPECT_FALSE(Parse("0,1,2", "50,,50,50"));      // an empty item
  EXPECT_FALSE(Parse("0,1,2", "50,50,50", "1"));  // a sort key without its direction
  EXPECT_FALSE(Parse("0,1,2", "50,50,50", "1+,1-"));
  EXPECT_FALSE(Parse("0,1,2", "50,50,50", "-1+"));
  EXPECT_FALSE(Parse("0,1,2", "50,50,50", "", "2,2"));
  EXPECT_FALSE(Parse("0, 1,2", "50,50,50"));
}
