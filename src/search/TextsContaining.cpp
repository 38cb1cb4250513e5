#include "TextsContaining.h"

#include <cstring>

#include "TextServices.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

bool MatchesAt(const char* text, std::string_view needle) {
  return std::memcmp(text, needle.data(), needle.size()) == 0;
}

#if defined(__SSE2__)
// Sixteen candidate positions at a time: a position is checked in full only when
// both the needle's first and last byte are in place.
size_t FindWide(std::string_view text, std::string_view needle, size_t from) {
  const size_t lastStart = text.size() - needle.size();
  const __m128i first = _mm_set1_epi8(needle.front());
  const __m128i last = _mm_set1_epi8(needle.back());
  const char* base = text.data();
  size_t at = from;
  for (; at + 16 <= lastStart + 1; at += 16) {
    const __m128i starts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + at));
    const __m128i ends = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + at + needle.size() - 1));
    unsigned mask = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(starts, first), _mm_cmpeq_epi8(ends, last))));
    while (mask != 0) {
      const size_t candidate = at + static_cast<size_t>(__builtin_ctz(mask));
      if (MatchesAt(base + candidate, needle)) return candidate;
      mask &= mask - 1;
    }
  }
  for (; at <= lastStart; ++at) {
    if (MatchesAt(base + at, needle)) return at;
  }
  return std::string_view::npos;
}
#endif

}  // namespace

size_t FindFrom(std::string_view text, std::string_view needle, size_t from) {
  if (needle.empty() || from > text.size() || text.size() - from < needle.size()) return std::string_view::npos;
#if defined(__SSE2__)
  return FindWide(text, needle, from);
#else
  return text.find(needle, from);
#endif
}

std::vector<uint64_t> TextsContaining(const TTextTable& table, std::string_view lowerNeedle) {
  std::vector<uint64_t> bits((table.size() + 63) / 64, 0);
  const std::string_view needle = TextBeforeNul(lowerNeedle);
  const std::string_view texts = table.LowerTexts();
  for (size_t at = FindFrom(texts, needle, 0); at != std::string_view::npos;) {
    const size_t index = table.IndexAt(at);
    bits[index >> 6] |= uint64_t{1} << (index & 63);
    at = FindFrom(texts, needle, table.StartOf(index + 1));
  }
  return bits;
}
