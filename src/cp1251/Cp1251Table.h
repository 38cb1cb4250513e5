#pragma once
// Windows-1251 in one place: the character of every byte and the letter pairs.
// Plain search lowers text with LowerCase and the expression engine swaps case with
// SwapCase, so both must come from the same pairs or the two searches fold case
// differently.

#include <algorithm>
#include <array>
#include <optional>

namespace cp1251 {

using ByteTable = std::array<unsigned char, 256>;

struct CasePair {
  unsigned char Upper;
  unsigned char Lower;
};

namespace detail {

// Code points of the bytes 0x80..0xBF; 0x98 has no character and keeps its C1 code
// so that every byte survives a round trip. 0xC0..0xFF are U+0410..U+044F.
inline constexpr std::array<char16_t, 64> HighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

inline constexpr char16_t FirstCyrillic = 0x0410;  // the code point of byte 0xC0
inline constexpr int CyrillicBlockSize = 64;

// Capitals outside the contiguous Latin and Russian alphabets, with their small letters.
inline constexpr CasePair ScatteredPairs[] = {
    {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2},
    {0xA3, 0xBC}, {0xA5, 0xB4}, {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
};

inline constexpr int LatinLetters = 26;
inline constexpr int RussianLetters = 32;  // without Ё, which is scattered
inline constexpr int LetterCount = LatinLetters + RussianLetters + std::size(ScatteredPairs);

constexpr std::array<CasePair, LetterCount> BuildLetterPairs() {
  std::array<CasePair, LetterCount> pairs{};
  int at = 0;
  for (int i = 0; i < LatinLetters; ++i)
    pairs[at++] = {static_cast<unsigned char>('A' + i), static_cast<unsigned char>('a' + i)};
  for (int i = 0; i < RussianLetters; ++i)
    pairs[at++] = {static_cast<unsigned char>(0xC0 + i), static_cast<unsigned char>(0xE0 + i)};
  for (CasePair pair : ScatteredPairs) pairs[at++] = pair;
  return pairs;
}

constexpr ByteTable IdentityTable() {
  ByteTable table{};
  for (int b = 0; b < 256; ++b) table[b] = static_cast<unsigned char>(b);
  return table;
}

struct CodePointByte {
  char16_t CodePoint;
  unsigned char Byte;
};

constexpr bool operator<(CodePointByte entry, char32_t codePoint) { return entry.CodePoint < codePoint; }

constexpr std::array<CodePointByte, HighHalf.size()> SortHighHalfByCodePoint() {
  std::array<CodePointByte, HighHalf.size()> entries{};
  for (size_t i = 0; i < HighHalf.size(); ++i) entries[i] = {HighHalf[i], static_cast<unsigned char>(0x80 + i)};
  std::sort(entries.begin(), entries.end(), [](CodePointByte a, CodePointByte b) { return a.CodePoint < b.CodePoint; });
  return entries;
}

inline constexpr auto HighHalfByCodePoint = SortHighHalfByCodePoint();

}  // namespace detail

// Every letter that has a partner in the other case: 73 pairs.
inline constexpr std::array<CasePair, detail::LetterCount> LetterPairs = detail::BuildLetterPairs();

inline constexpr ByteTable LowerCase = [] {
  ByteTable table = detail::IdentityTable();
  for (CasePair pair : LetterPairs) table[pair.Upper] = pair.Lower;
  return table;
}();

inline constexpr ByteTable UpperCase = [] {
  ByteTable table = detail::IdentityTable();
  for (CasePair pair : LetterPairs) table[pair.Lower] = pair.Upper;
  return table;
}();

// The other-case partner of a letter; every other byte maps to itself.
inline constexpr ByteTable SwapCase = [] {
  ByteTable table{};
  for (int b = 0; b < 256; ++b) table[b] = LowerCase[b] != b ? LowerCase[b] : UpperCase[b];
  return table;
}();

inline constexpr std::array<char16_t, 256> CodePoints = [] {
  std::array<char16_t, 256> table{};
  for (int b = 0; b < 0x80; ++b) table[b] = static_cast<char16_t>(b);
  for (size_t i = 0; i < detail::HighHalf.size(); ++i) table[0x80 + i] = detail::HighHalf[i];
  for (int i = 0; i < detail::CyrillicBlockSize; ++i)
    table[0xC0 + i] = static_cast<char16_t>(detail::FirstCyrillic + i);
  return table;
}();

// The byte that holds codePoint; nullopt when Windows-1251 has none.
constexpr std::optional<unsigned char> ByteOf(char32_t codePoint) {
  if (codePoint < 0x80) return static_cast<unsigned char>(codePoint);
  if (codePoint >= detail::FirstCyrillic && codePoint < detail::FirstCyrillic + detail::CyrillicBlockSize) {
    return static_cast<unsigned char>(0xC0 + (codePoint - detail::FirstCyrillic));
  }
  const auto& entries = detail::HighHalfByCodePoint;
  const auto found = std::lower_bound(entries.begin(), entries.end(), codePoint);
  if (found == entries.end() || found->CodePoint != codePoint) return std::nullopt;
  return found->Byte;
}

}  // namespace cp1251
