#pragma once
// Order codes of one column's texts: numbers that compare exactly as the texts do,
// equal for equal texts, so that a sort compares numbers instead of texts however
// many rows repeat a text.

#include <cstdint>
#include <vector>

#include "ui/grid/ColumnTexts.h"

// By row position; equal texts at several entries get one code.
std::vector<uint64_t> OrderCodes(const TColumnTexts& texts);
