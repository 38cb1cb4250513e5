#pragma once
// The printed list cut into pages as plain numbers, so that where a page breaks can be
// checked without a printer.

#include <cstddef>
#include <span>
#include <vector>

struct TPrintLine {
  int Height;         // device units
  bool KeepWithNext;  // a group heading: it belongs on the page of the line after it
};

struct TPageSpan {
  size_t First;  // index of the page's first line
  size_t Count;
};

// The lines, in order, onto a first page with room for firstHeight and further pages
// with room for height each. A heading is never the last line of a page that breaks
// before the list ends, unless headings alone fill the page. A line taller than a
// page gets a page of its own. An empty list, or one whose first line does not fit
// the first page's room, still has a first page, then empty.
std::vector<TPageSpan> Paginate(std::span<const TPrintLine> lines, int firstHeight, int height);
