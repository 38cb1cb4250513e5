#include "ui/print/Pagination.h"

namespace {

// One past the last line from first that fits into room.
size_t FillPage(std::span<const TPrintLine> lines, size_t first, int room) {
  size_t end = first;
  long long used = 0;
  while (end < lines.size() && used + lines[end].Height <= room) used += lines[end++].Height;
  return end;
}

// A page that breaks before end sends its trailing headings on with their rows.
size_t KeepHeadingsWithRows(std::span<const TPrintLine> lines, size_t first, size_t end) {
  if (end == lines.size()) return end;
  size_t cut = end;
  while (cut > first && lines[cut - 1].KeepWithNext) --cut;
  return cut > first ? cut : end;
}

}  // namespace

std::vector<TPageSpan> Paginate(std::span<const TPrintLine> lines, int firstHeight, int height) {
  std::vector<TPageSpan> pages;
  size_t first = 0;
  do {
    const int room = pages.empty() ? firstHeight : height;
    size_t end = KeepHeadingsWithRows(lines, first, FillPage(lines, first, room));
    // Only a full page may take a line too tall for it: a smaller first page stays
    // empty and the line goes on to a full one.
    if (end == first && first < lines.size() && room >= height) ++end;
    pages.push_back({first, end - first});
    first = end;
  } while (first < lines.size());
  return pages;
}
