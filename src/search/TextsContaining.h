#pragma once
// Substring search over every text of a table in one pass.

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "data/TextTable.h"

// Finds one needle in many places; prepared once per needle.
class TTextFinder {
 public:
  explicit TTextFinder(std::string_view needle);
  // Position of the first occurrence in text at or after from, or npos.
  size_t Find(std::string_view text, size_t from) const;

 private:
  std::string_view needle_;
  std::pair<size_t, size_t> rarest_{0, 0};
};

// One bit per text of table, set when the text lower-cased contains needle, with
// both ending at their first NUL (an empty needle is in no text).
std::vector<uint64_t> TextsContaining(const TTextTable& table, std::string_view lowerNeedle);
// The same for the texts that begin with needle.
std::vector<uint64_t> TextsStartingWith(const TTextTable& table, std::string_view lowerNeedle);

inline bool BitSet(const std::vector<uint64_t>& bits, size_t index) { return (bits[index >> 6] >> (index & 63)) & 1; }
