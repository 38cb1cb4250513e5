#pragma once
// Result rows put in the grid's order, with their groups, by a thread other than the
// window's: the costly part of a refill, done where no widget waits for it, for the
// grid to take over whole.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "ui/grid/CellSource.h"
#include "ui/grid/GroupOutline.h"
#include "ui/grid/RowStore.h"
#include "ui/grid/ViewOrder.h"

struct TOrderedRows {
  TRowStore Rows;
  TGroupOutline Outline;
  std::vector<TSortKey> Keys;  // what Rows are ordered by (TViewOrder::ComparisonKeys)
  size_t GroupLevels = 0;      // how many leading keys the outline groups by
};

// keys in insertion order. stopped is asked between the costly steps; once it says
// true nothing more is done and nothing is returned.
std::optional<TOrderedRows> OrderRows(std::vector<uint32_t> keys, std::vector<TSortKey> sortKeys, size_t groupLevels,
                                      const TCellSource& source, const std::function<bool()>& stopped);
