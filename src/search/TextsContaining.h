#pragma once
// Substring search over every text of a table in one pass.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/TextTable.h"

// Finds one needle in many places; prepared once per needle.
class TTextFinder {
 public:
  // With yoAsE, an «е» of the needle also matches an «ё» of the text (the forgiving
  // reading of lower-cased text).
  explicit TTextFinder(std::string_view needle, bool yoAsE = false);
  // Position of the first occurrence in text at or after from, or npos.
  size_t Find(std::string_view text, size_t from) const;

 private:
  std::string_view needle_;
  bool yoAsE_;
  bool either_ = false;  // a byte of the rarest pair is an «е», which «ё» may stand in for
  std::pair<size_t, size_t> rarest_{0, 0};
};

// One bit per text of table, set when the text lower-cased contains needle, with
// both ending at their first NUL (an empty needle is in no text).
std::vector<uint64_t> TextsContaining(const TTextTable& table, std::string_view lowerNeedle);
// The same for the texts that begin with any of the needles, in one pass.
std::vector<uint64_t> TextsStartingWithAny(const TTextTable& table, std::span<const std::string> lowerNeedles);
// Decides whether a text that holds the needle is marked, while its bytes are still
// in the cache; part (0 or 1) tells apart the two threads of a split pass, so that
// each may keep working state of its own.
using TTextFilter = std::function<bool(size_t index, int part)>;

// The same, an «е» of needle matching «е» or «ё» of a text, and only the texts
// that keep (if given) takes.
std::vector<uint64_t> TextsContainingReadingYoAsE(const TTextTable& table, std::string_view lowerNeedle,
                                                  const TTextFilter& keep = nullptr);

inline bool BitSet(const std::vector<uint64_t>& bits, size_t index) { return (bits[index >> 6] >> (index & 63)) & 1; }
