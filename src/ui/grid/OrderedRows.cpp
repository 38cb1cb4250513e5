#include "ui/grid/OrderedRows.h"

std::optional<TOrderedRows> OrderRows(std::vector<uint32_t> keys, std::vector<TSortKey> sortKeys, size_t groupLevels,
                                      const TCellSource& source, const std::function<bool()>& stopped) {
  TOrderedRows ordered;
  ordered.Rows.Reserve(keys.size());
  for (uint32_t key : keys) ordered.Rows.Append(key);
  keys = {};
  if (stopped()) return std::nullopt;
  const auto groupCodes = ordered.Rows.Order(sortKeys, source, groupLevels, stopped);
  if (stopped()) return std::nullopt;
  ordered.Outline.Build(groupCodes, ordered.Rows.Size());
  ordered.Keys = std::move(sortKeys);
  ordered.GroupLevels = groupLevels;
  return ordered;
}
