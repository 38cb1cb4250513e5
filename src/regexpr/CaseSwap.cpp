#include <array>

#include "RegExpr.h"

namespace {

struct TCasePair {
  uint8_t upper;
  uint8_t lower;
};

// Letters of the Windows-1251 code page that have a partner in the other case
// outside the contiguous Latin and Russian blocks.
constexpr TCasePair ScatteredPairs[] = {
    {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E},
    {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4}, {0xA8, 0xB8}, {0xAA, 0xBA},
    {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
};

constexpr std::array<uint8_t, 256> BuildSwapTable() {
  std::array<uint8_t, 256> table{};
  for (int c = 0; c < 256; ++c) table[c] = static_cast<uint8_t>(c);
  auto pair = [&table](int upper, int lower) {
    table[upper] = static_cast<uint8_t>(lower);
    table[lower] = static_cast<uint8_t>(upper);
  };
  for (int i = 0; i < 26; ++i) pair('A' + i, 'a' + i);
  for (int i = 0; i < 32; ++i) pair(0xC0 + i, 0xE0 + i);
  for (TCasePair p : ScatteredPairs) pair(p.upper, p.lower);
  return table;
}

constexpr std::array<uint8_t, 256> SwapTable = BuildSwapTable();

}  // namespace

uint8_t SwapCaseByLocale(uint8_t c) { return SwapTable[c]; }
