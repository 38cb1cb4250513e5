#pragma once
// Substring search over every text of a table in one pass.

#include <cstdint>
#include <string_view>
#include <vector>

#include "TextTable.h"

// Position of the first occurrence of needle in text at or after from, or npos.
size_t FindFrom(std::string_view text, std::string_view needle, size_t from);

// One bit per text of table, set when the text lower-cased contains needle, with
// both ending at their first NUL (an empty needle is in no text).
std::vector<uint64_t> TextsContaining(const TTextTable& table, std::string_view lowerNeedle);

inline bool BitSet(const std::vector<uint64_t>& bits, size_t index) { return (bits[index >> 6] >> (index & 63)) & 1; }
