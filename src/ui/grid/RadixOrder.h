#pragma once
// A stable order of positions by numeric keys without comparisons: a sort of many
// rows costs a few passes over them instead of n log n comparisons.

#include <cstddef>
#include <cstdint>
#include <vector>

// Positions [0, count) ordered by keys[0], then keys[1] among equal keys[0], and so
// on, each key an unsigned number per position; wholly equal positions stay in
// ascending order. Every key holds at least count numbers.
std::vector<uint32_t> RadixOrder(const std::vector<const std::vector<uint64_t>*>& keys, size_t count);
