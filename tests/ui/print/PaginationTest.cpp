// Where the printed list breaks into pages: the rows, the group headings kept with
// their rows, and the pages at the edges (none, one exactly full, one too tall).

#include "ui/print/Pagination.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kRow = 10;
constexpr int kHeading = 14;

std::vector<TPrintLine> Rows(size_t count) { return std::vector<TPrintLine>(count, {kRow, false}); }

// Lines from a pattern: 'r' a row, 'h' a heading.
std::vector<TPrintLine> Lines(const char* pattern) {
  std::vector<TPrintLine> lines;
  for (const char* c = pattern; *c != '\0'; ++c) lines.push_back(*c == 'h' ? TPrintLine{kHeading, true} : Rows(1)[0]);
  return lines;
}

std::vector<size_t> Counts(const std::vector<TPageSpan>& pages) {
  std::vector<size_t> counts;
  for (const TPageSpan& page : pages) counts.push_back(page.Count);
  return counts;
}

// Every line on exactly one page, in order, and no page over its room but for a
// line alone that is taller than any page.
void ExpectWholeAndInOrder(const std::vector<TPrintLine>& lines, const std::vector<TPageSpan>& pages, int first,
                           int height) {
  size_t next = 0;
  for (size_t p = 0; p < pages.size(); ++p) {
    EXPECT_EQ(pages[p].First, next) << "page " << p;
    int used = 0;
    for (size_t i = pages[p].First; i < pages[p].First + pages[p].Count; ++i) used += lines[i].Height;
    if (pages[p].Count > 1) {
      EXPECT_LE(used, p == 0 ? first : height) << "page " << p;
    }
    next += pages[p].Count;
  }
  EXPECT_EQ(next, lines.size());
}

}  // namespace

TEST(Pagination, AnEmptyListIsOneEmptyPage) {
  const std::vector<TPageSpan> pages = Paginate({}, 50, 100);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].First, 0u);
  EXPECT_EQ(pages[0].Count, 0u);
}

TEST(Pagination, RowsExactlyFillingPagesLeaveNoEmptyPageAfter) {
  EXPECT_EQ(Counts(Paginate(Rows(5), 50, 100)), (std::vector<size_t>{5}));
  EXPECT_EQ(Counts(Paginate(Rows(15), 50, 100)), (std::vector<size_t>{5, 10}));
  EXPECT_EQ(Counts(Paginate(Rows(16), 50, 100)), (std::vector<size_t>{5, 10, 1}));
  EXPECT_EQ(Counts(Paginate(Rows(6), 59, 100)), (std::vector<size_t>{5, 1}));
}

TEST(Pagination, ManyRowsFillEveryPageButTheLast) {
  const std::vector<TPrintLine> lines = Rows(10'000);
  const std::vector<TPageSpan> pages = Paginate(lines, 300, 995);
  // 30 rows on the first page, 99 on each further one.
  ASSERT_EQ(pages.size(), 1u + (10'000 - 30 + 98) / 99);
  EXPECT_EQ(pages.front().Count, 30u);
  EXPECT_EQ(pages[1].Count, 99u);
  EXPECT_EQ(pages.back().Count, (10'000 - 30) % 99);
  ExpectWholeAndInOrder(lines, pages, 300, 995);
}

TEST(Pagination, AHeadingAtTheFootOfAPageGoesOnWithItsRows) {
  // The heading would fit as the page's last line: 4 rows and a heading make 54.
  const std::vector<TPrintLine> lines = Lines("rrrrhrr");
  const std::vector<TPageSpan> pages = Paginate(lines, 55, 55);
  EXPECT_EQ(Counts(pages), (std::vector<size_t>{4, 3}));
  ExpectWholeAndInOrder(lines, pages, 55, 55);
}

TEST(Pagination, NestedHeadingsAtTheFootGoOnTogether) {
  // 14+10+10+14+14 = 62 fills the first page with both headings of the second
  // group, so both go on to the next page with their rows.
  EXPECT_EQ(Counts(Paginate(Lines("hrrhhrrr"), 62, 100)), (std::vector<size_t>{3, 5}));
}

TEST(Pagination, NoPageEndsWithAHeadingUnlessTheListDoes) {
  std::vector<TPrintLine> lines;
  for (int group = 0; group < 40; ++group) {
    lines.push_back({kHeading, true});
    for (int row = 0; row <= group % 7; ++row) lines.push_back({kRow, false});
  }
  for (int height : {60, 73, 100, 137}) {
    const std::vector<TPageSpan> pages = Paginate(lines, height - 25, height);
    ExpectWholeAndInOrder(lines, pages, height - 25, height);
    for (const TPageSpan& page : pages) {
      ASSERT_GT(page.Count, 0u);
      EXPECT_FALSE(lines[page.First + page.Count - 1].KeepWithNext)
          << "height " << height << ", page at " << page.First;
    }
  }
}

TEST(Pagination, HeadingsAloneFillingAPageStillBreakIt) {
  const std::vector<TPrintLine> lines = Lines("hhhhhhhhr");
  const std::vector<TPageSpan> pages = Paginate(lines, 30, 30);
  EXPECT_EQ(Counts(pages), (std::vector<size_t>{2, 2, 2, 2, 1}));
}

TEST(Pagination, ALineTallerThanAPageGetsAFullPageOfItsOwn) {
  std::vector<TPrintLine> lines = Rows(3);
  lines[1].Height = 250;
  // The first page, smaller, stays with its one row; the tall line takes the next.
  EXPECT_EQ(Counts(Paginate(lines, 50, 100)), (std::vector<size_t>{1, 1, 1}));
  // A first page with no room for even the first row stays empty.
  EXPECT_EQ(Counts(Paginate(Rows(2), 5, 100)), (std::vector<size_t>{0, 2}));
}
