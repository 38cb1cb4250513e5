#pragma once
// What the user made of the grid: column order and widths, sort list and grouping,
// kept between runs as short texts that a damaged settings file cannot turn into a
// layout the grid cannot show.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/grid/ViewOrder.h"

struct TGridLayout {
  std::vector<int> VisualOrder;  // the logical column at each visual position
  std::vector<int> Widths;       // the preferred width of each logical column
  std::vector<TSortKey> Sort;
  std::vector<int> Grouping;
  bool operator==(const TGridLayout&) const = default;
};

// "2,0,1" and "0+,3-".
std::string ColumnListText(const std::vector<int>& columns);
std::string SortListText(const std::vector<TSortKey>& keys);

// nullopt unless every part names each of columnCount columns at most once (the
// visual order each exactly once, one width each, widths from minimumWidth to
// 10,000 pixels) and nothing else.
std::optional<TGridLayout> ParseGridLayout(std::string_view visualOrder, std::string_view widths, std::string_view sort,
                                           std::string_view grouping, int columnCount, int minimumWidth);
