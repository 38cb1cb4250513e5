// Where the printed list breaks into pages: the rows, the group headings kept with
// their rows, and the pages at the edges (none, one exactly full, one too tall).

#include "ui/print/Pagination.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int kRow = 10;
constexpr int kHeading = 14;

// Lines from a pattern: 'r' a row, 'h' a heading, 'T' a row of 250.
std::vector<TPrintLine> Lines(const std::string& pattern) {
  std::vector<TPrintLine> lines;
  for (char c : pattern) lines.push_back({c == 'h' ? kHeading : c == 'T' ? 250 : kRow, c == 'h'});
  return lines;
}

std::vector<size_t> Counts(const std::vector<TPageSpan>& pages) {
  std::vector<size_t> counts;
  for (const TPageSpan& page : pages) counts.push_back(page.Count);
  return counts;
}

struct TCase {
  std::string Lines;
  int First;
  int Height;
  std::vector<size_t> Counts;
};

const TCase kCases[] = {
    {"", 50, 100, {0}},                   // an empty list is one empty page
    {std::string(5, 'r'), 50, 100, {5}},  // exactly full: no empty page after
    {std::string(15, 'r'), 50, 100, {5, 10}},
    {std::string(16, 'r'), 50, 100, {5, 10, 1}},
    {std::string(6, 'r'), 59, 100, {5, 1}},
    {"rrrrhrr", 55, 55, {4, 3}},             // a heading that would fit at the foot goes on
    {"hrrhhrrr", 62, 100, {3, 5}},           // nested headings at the foot go on together
    {"hhhhhhhhr", 30, 30, {2, 2, 2, 2, 1}},  // headings alone filling a page still break it
    {"rTr", 50, 100, {1, 1, 1}},             // a line taller than a page gets one of its own
    {"rr", 5, 100, {0, 2}},                  // a first page with no room stays empty
};

}  // namespace

TEST(Pagination, BreaksAtTheEdges) {
  for (const TCase& c : kCases)
    EXPECT_EQ(Counts(Paginate(Lines(c.Lines), c.First, c.Height)), c.Counts) << '"' << c.Lines << "\" " << c.First;
}

TEST(Pagination, ManyRowsFillEveryPageButTheLast) {
  const std::vector<TPageSpan> pages = Paginate(Lines(std::string(10'000, 'r')), 300, 995);
  // 30 rows on the first page, 99 on each further one.
  ASSERT_EQ(pages.size(), 1u + (10'000 - 30 + 98) / 99);
  EXPECT_EQ(pages.front().Count, 30u);
  EXPECT_EQ(pages[1].Count, 99u);
  EXPECT_EQ(pages.back().Count, (10'000 - 30) % 99);
}

// Every line on exactly one page, in order, within its room, and no page ending with a
// heading, whatever the groups and the page size.
TEST(Pagination, EveryLineOnceInOrderAndNoPageEndsWithAHeading) {
  std::string pattern;
  for (int group = 0; group < 40; ++group) pattern += 'h' + std::string(group % 7 + 1, 'r');
  const std::vector<TPrintLine> lines = Lines(pattern);
  for (int height : {60, 73, 100, 137}) {
    const std::vector<TPageSpan> pages = Paginate(lines, height - 25, height);
    size_t next = 0;
    for (size_t p = 0; p < pages.size(); ++p) {
      ASSERT_EQ(pages[p].First, next) << "height " << height << ", page " << p;
      ASSERT_GT(pages[p].Count, 0u);
      int used = 0;
      for (size_t i = next; i < next + pages[p].Count; ++i) used += lines[i].Height;
      EXPECT_LE(used, p == 0 ? height - 25 : height) << "height " << height << ", page " << p;
      next += pages[p].Count;
      EXPECT_FALSE(lines[next - 1].KeepWithNext) << "height " << height << ", page " << p;
    }
    EXPECT_EQ(next, lines.size());
  }
}
