#pragma once
// Dense ranks of texts that share long beginnings, as names do: the texts are told
// apart eight bytes at a time, so that a sort compares numbers in one array rather
// than whole texts scattered over memory.

#include <cstdint>
#include <vector>

#include "ui/grid/ColumnTexts.h"

// By entry; equal texts share a rank.
std::vector<uint64_t> TextRanks(const TColumnTexts& texts);
