#pragma once
// Column widths that always add up to the width of the grid.

#include <cstddef>
#include <vector>

// Scales widths proportionally so that they add up to total; none below minimum
// unless total leaves no room for that.
std::vector<int> ScaleToWidth(const std::vector<int>& widths, int total, int minimum);

// widths[fixed] has just been set by the user: the columns after it (or before it,
// when it is the last) are re-scaled so that all of them add up to total again.
std::vector<int> RefitAround(std::vector<int> widths, size_t fixed, int total, int minimum);
