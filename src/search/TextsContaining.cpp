#include "search/TextsContaining.h"

#include <array>
#include <cstring>
#include <span>
#include <string>
#include <utility>

#include "data/TextServices.h"
#include "search/SideBySide.h"

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace {

constexpr char E = '\xE5';   // «е»
constexpr char Yo = '\xB8';  // «ё», lower case

bool MatchesAt(const char* text, std::string_view needle, bool yoAsE) {
  // A typed name is short: comparing in place beats calling a general compare.
  if (!yoAsE && needle.size() <= 16) {
    for (size_t k = 0; k < needle.size(); ++k) {
      if (text[k] != needle[k]) return false;
    }
    return true;
  }
  if (!yoAsE) return std::memcmp(text, needle.data(), needle.size()) == 0;
  for (size_t k = 0; k < needle.size(); ++k) {
    if (text[k] != needle[k] && !(needle[k] == E && text[k] == Yo)) return false;
  }
  return true;
}

size_t FindNarrow(std::string_view text, std::string_view needle, size_t at, bool yoAsE) {
  for (; at + needle.size() <= text.size(); ++at) {
    if (MatchesAt(text.data() + at, needle, yoAsE)) return at;
  }
  return std::string_view::npos;
}

#if defined(__SSE2__)
// How often a byte occurs in Russian names, roughly, in tenths of a percent.
constexpr std::array<unsigned char, 256> MakeByteFrequency() {
  std::array<unsigned char, 256> frequency{};
  constexpr std::pair<unsigned char, unsigned char> letters[] = {
      {0xEE, 110}, {0xE5, 85}, {0xE0, 80}, {0xE8, 74}, {0xED, 67}, {0xF2, 63}, {0xF1, 55}, {0xF0, 47},
      {0xE2, 45},  {0xEB, 44}, {0xEA, 35}, {0xEC, 32}, {0xE4, 30}, {0xEF, 28}, {0xF3, 26}, {0xFF, 20},
      {0xFB, 19},  {0xFC, 17}, {0xE3, 17}, {0xE7, 16}, {0xE1, 16}, {0xF7, 14}, {0xE9, 12}, {0xF5, 10},
      {0xE6, 9},   {0xF8, 7},  {0xFE, 6},  {0xF6, 5},  {0xF9, 4},  {0xFD, 3},  {0xF4, 3},  {' ', 120}};
  for (const auto& [byte, share] : letters) frequency[byte] = share;
  return frequency;
}

constexpr std::array<unsigned char, 256> ByteFrequency = MakeByteFrequency();

// The two needle positions whose bytes are rarest, so that few text positions
// pass the wide filter and need a full compare.
std::pair<size_t, size_t> RarestPair(std::string_view needle, bool yoAsE) {
  auto rarity = [&](size_t i) {
    const int share = ByteFrequency[static_cast<unsigned char>(needle[i])];
    return yoAsE && needle[i] == E ? share + ByteFrequency[static_cast<unsigned char>(Yo)] : share;
  };
  size_t first = 0;
  for (size_t i = 1; i < needle.size(); ++i) {
    if (rarity(i) < rarity(first)) first = i;
  }
  size_t second = first == 0 ? 1 : 0;
  for (size_t i = 0; i < needle.size(); ++i) {
    if (i != first && rarity(i) < rarity(second)) second = i;
  }
  return {std::min(first, second), std::max(first, second)};
}

// Checks the candidate positions of one block, lowest first.
size_t FirstMatch(const char* base, size_t at, unsigned mask, std::string_view needle, bool yoAsE) {
  for (; mask != 0; mask &= mask - 1) {
    const size_t candidate = at + static_cast<size_t>(__builtin_ctz(mask));
    if (MatchesAt(base + candidate, needle, yoAsE)) return candidate;
  }
  return std::string_view::npos;
}

// Sixteen candidate positions at a time: a position is compared in full only when
// the needle's two rarest bytes are in place; with Either, «ё» stands in for «е».
template <bool Either>
size_t FindWide16(std::string_view text, std::string_view needle, size_t at, std::pair<size_t, size_t> rarest,
                  bool yoAsE) {
  const size_t lastStart = text.size() - needle.size();
  const char nearChar = needle[rarest.first];
  const char farChar = needle[rarest.second];
  const __m128i nearByte = _mm_set1_epi8(nearChar);
  const __m128i nearOther = _mm_set1_epi8(nearChar == E ? Yo : nearChar);
  const __m128i farByte = _mm_set1_epi8(farChar);
  const __m128i farOther = _mm_set1_epi8(farChar == E ? Yo : farChar);
  const char* base = text.data();
  for (; at + 16 <= lastStart + 1; at += 16) {
    const __m128i nearBlock = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + at + rarest.first));
    const __m128i farBlock = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + at + rarest.second));
    __m128i nearHits = _mm_cmpeq_epi8(nearBlock, nearByte);
    __m128i farHits = _mm_cmpeq_epi8(farBlock, farByte);
    if constexpr (Either) {
      nearHits = _mm_or_si128(nearHits, _mm_cmpeq_epi8(nearBlock, nearOther));
      farHits = _mm_or_si128(farHits, _mm_cmpeq_epi8(farBlock, farOther));
    }
    const auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(nearHits, farHits)));
    if (mask == 0) continue;
    if (const size_t found = FirstMatch(base, at, mask, needle, yoAsE); found != std::string_view::npos) return found;
  }
  return FindNarrow(text, needle, at, yoAsE);
}

// The same, thirty-two positions at a time on processors that have AVX2.
template <bool Either>
__attribute__((target("avx2"))) size_t FindWide32(std::string_view text, std::string_view needle, size_t at,
                                                  std::pair<size_t, size_t> rarest, bool yoAsE) {
  const size_t lastStart = text.size() - needle.size();
  const char nearChar = needle[rarest.first];
  const char farChar = needle[rarest.second];
  const __m256i nearByte = _mm256_set1_epi8(nearChar);
  const __m256i nearOther = _mm256_set1_epi8(nearChar == E ? Yo : nearChar);
  const __m256i farByte = _mm256_set1_epi8(farChar);
  const __m256i farOther = _mm256_set1_epi8(farChar == E ? Yo : farChar);
  const char* base = text.data();
  for (; at + 32 <= lastStart + 1; at += 32) {
    const __m256i nearBlock = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(base + at + rarest.first));
    const __m256i farBlock = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(base + at + rarest.second));
    __m256i nearHits = _mm256_cmpeq_epi8(nearBlock, nearByte);
    __m256i farHits = _mm256_cmpeq_epi8(farBlock, farByte);
    if constexpr (Either) {
      nearHits = _mm256_or_si256(nearHits, _mm256_cmpeq_epi8(nearBlock, nearOther));
      farHits = _mm256_or_si256(farHits, _mm256_cmpeq_epi8(farBlock, farOther));
    }
    const auto mask = static_cast<unsigned>(_mm256_movemask_epi8(_mm256_and_si256(nearHits, farHits)));
    if (mask == 0) continue;
    if (const size_t found = FirstMatch(base, at, mask, needle, yoAsE); found != std::string_view::npos) return found;
  }
  return FindWide16<Either>(text, needle, at, rarest, yoAsE);
}

const bool HasAvx2 = __builtin_cpu_supports("avx2");
#endif

}  // namespace

// A needle without «е» reads the same either way, and the plain compare is faster.
TTextFinder::TTextFinder(std::string_view needle, bool yoAsE)
    : needle_(needle), yoAsE_(yoAsE && needle.find(E) != std::string_view::npos) {
#if defined(__SSE2__)
  if (needle_.size() > 1) rarest_ = RarestPair(needle_, yoAsE_);
  either_ = yoAsE_ && !needle_.empty() && (needle_[rarest_.first] == E || needle_[rarest_.second] == E);
#endif
}

size_t TTextFinder::Find(std::string_view text, size_t from) const {
  if (needle_.empty() || from > text.size() || text.size() - from < needle_.size()) return std::string_view::npos;
#if defined(__SSE2__)
  // A single byte is its own rarest pair when «ё» may stand in for it.
  if (either_) {
    return HasAvx2 ? FindWide32<true>(text, needle_, from, rarest_, true)
                   : FindWide16<true>(text, needle_, from, rarest_, true);
  }
  if (needle_.size() > 1) {
    return HasAvx2 ? FindWide32<false>(text, needle_, from, rarest_, yoAsE_)
                   : FindWide16<false>(text, needle_, from, rarest_, yoAsE_);
  }
  const void* found = std::memchr(text.data() + from, needle_[0], text.size() - from);
  return found ? static_cast<size_t>(static_cast<const char*>(found) - text.data()) : std::string_view::npos;
#else
  return yoAsE_ ? FindNarrow(text, needle_, from, true) : text.find(needle_, from);
#endif
}

namespace {

// The text that holds offset, from an earlier text: a hit is mostly a few texts
// after the last one, where stepping forward costs less than a search.
size_t TextHolding(const TTextTable& table, size_t offset, size_t from) {
  constexpr size_t WalkedTexts = 32;
  for (size_t index = from; index < from + WalkedTexts; ++index) {
    if (table.StartOf(index + 1) > offset) return index;
  }
  return table.IndexAt(offset, from + WalkedTexts);
}

// Sets the bits of the texts first..last-1 that hold the needle; other bits are
// left alone, so that two parts apart by a multiple of 64 texts share no word.
void MarkTexts(const TTextTable& table, const TTextFinder& finder, const TTextFilter& keep, int part, size_t first,
               size_t last, std::vector<uint64_t>& bits) {
  if (first >= last) return;
  const std::string_view texts = table.LowerTexts().substr(0, table.StartOf(last));
  size_t index = first;
  for (size_t at = finder.Find(texts, table.StartOf(first)); at != std::string_view::npos;) {
    index = TextHolding(table, at, index);
    if (!keep || keep(index, part)) bits[index >> 6] |= uint64_t{1} << (index & 63);
    at = finder.Find(texts, table.StartOf(index + 1));
  }
}

std::vector<uint64_t> MarkedTexts(const TTextTable& table, std::string_view lowerNeedle, bool yoAsE = false,
                                  const TTextFilter& keep = nullptr) {
  std::vector<uint64_t> bits((table.size() + 63) / 64, 0);
  const TTextFinder finder(TextBeforeNul(lowerNeedle), yoAsE);
  const auto split = static_cast<size_t>(SplitPoint(static_cast<int64_t>(table.size()), 64));
  if (split == 0) {
    MarkTexts(table, finder, keep, 0, 0, table.size(), bits);
  } else {
    RunSideBySide([&] { MarkTexts(table, finder, keep, 0, 0, split, bits); },
                  [&] { MarkTexts(table, finder, keep, 1, split, table.size(), bits); });
  }
  return bits;
}

// The same for the texts that begin with one of the needles: only the start of
// each text is read, once for all needles, rather than every byte per needle.
void MarkStarts(const TTextTable& table, std::span<const std::string_view> needles, size_t first, size_t last,
                std::vector<uint64_t>& bits) {
  const char* lower = table.LowerTexts().data();
  size_t start = table.StartOf(first);
  for (size_t index = first; index < last; ++index) {
    const size_t end = table.StartOf(index + 1);
    const std::string_view text(lower + start, end - start - 1);
    for (std::string_view needle : needles) {
      // The first byte alone refuses most texts without a call to compare.
      if (!text.empty() && text[0] == needle[0] && text.starts_with(needle)) {
        bits[index >> 6] |= uint64_t{1} << (index & 63);
        break;
      }
    }
    start = end;
  }
}

}  // namespace

std::vector<uint64_t> TextsStartingWithAny(const TTextTable& table, std::span<const std::string> lowerNeedles) {
  std::vector<uint64_t> bits((table.size() + 63) / 64, 0);
  // An empty needle is in no text.
  std::vector<std::string_view> needles;
  for (const std::string& needle : lowerNeedles) {
    if (!TextBeforeNul(needle).empty()) needles.push_back(TextBeforeNul(needle));
  }
  if (needles.empty()) return bits;
  const auto split = static_cast<size_t>(SplitPoint(static_cast<int64_t>(table.size()), 64));
  if (split == 0) {
    MarkStarts(table, needles, 0, table.size(), bits);
  } else {
    RunSideBySide([&] { MarkStarts(table, needles, 0, split, bits); },
                  [&] { MarkStarts(table, needles, split, table.size(), bits); });
  }
  return bits;
}

std::vector<uint64_t> TextsContaining(const TTextTable& table, std::string_view lowerNeedle) {
  return MarkedTexts(table, lowerNeedle);
}

std::vector<uint64_t> TextsContainingReadingYoAsE(const TTextTable& table, std::string_view lowerNeedle,
                                                  const TTextFilter& keep) {
  return MarkedTexts(table, lowerNeedle, true, keep);
}
