#include "ui/grid/KeyVisits.h"

#include <algorithm>
#include <bit>
#include <numeric>

#include "ui/grid/CellSource.h"

namespace {

// Few enough groups that their counts stay in the first-level cache.
constexpr unsigned kGroupBits = 12;

}  // namespace

std::vector<uint32_t> KeyVisits(const std::vector<uint32_t>& keys) {
  // Rows as they came from a search need no grouping.
  if (std::is_sorted(keys.begin(), keys.end())) {
    std::vector<uint32_t> visits(keys.size());
    std::iota(visits.begin(), visits.end(), 0u);
    return visits;
  }
  uint32_t largest = 0;
  for (uint32_t key : keys) {
    if (key != kEmptyRowKey) largest = std::max(largest, key);
  }
  const auto width = static_cast<unsigned>(std::bit_width(largest));
  const unsigned shift = width > kGroupBits ? width - kGroupBits : 0;
  const auto groupOf = [&](uint32_t key) { return std::min<uint32_t>(key, largest) >> shift; };
  std::vector<uint32_t> starts((largest >> shift) + 2, 0);
  for (uint32_t key : keys) ++starts[groupOf(key) + 1];
  for (size_t group = 1; group < starts.size(); ++group) starts[group] += starts[group - 1];
  std::vector<uint32_t> visits(keys.size());
  for (uint32_t position = 0; position < keys.size(); ++position) visits[starts[groupOf(keys[position])]++] = position;
  return visits;
}
