#pragma once
// An order to read the rows' cells in that follows the source's own order of keys, so
// that however the rows are sorted, reading them walks the source's tables nearly in
// order instead of jumping across them for every cell.

#include <cstdint>
#include <vector>

// Positions of keys, grouped by the keys' high bits (inserted empty rows with the largest).
std::vector<uint32_t> KeyVisits(const std::vector<uint32_t>& keys);
