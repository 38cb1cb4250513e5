#pragma once
// Where a group of the grid's rows begins, for those who walk every row rather than
// the rows shown: a printed list, say.

#include <QString>
#include <cstddef>

struct TGroupStart {
  size_t Row;     // position among the grid's rows (TResultGrid::ShownKeys)
  size_t Level;   // 0 for the outermost grouping
  int Column;     // the grouping column (logical index)
  QString Value;  // the column's text that the group's rows share
};
