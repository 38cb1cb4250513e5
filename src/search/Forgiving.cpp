#include "search/Forgiving.h"

#include <algorithm>
#include <cstring>

#include "data/TextServices.h"
#include "search/SideBySide.h"
#include "search/TextsContaining.h"

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace {

constexpr char E = '\xE5';   // «е»
constexpr char Yo = '\xB8';  // «ё», lower case

unsigned char Fold(char c) { return ForgivingFold[static_cast<unsigned char>(c)]; }

bool IsLetter(unsigned char folded) { return cp1251::UpperCase[folded] != folded; }

// "И." and "И.И." (and "И.И", half typed): letters each followed by a dot, the last
// one's dot optional.
bool IsInitials(std::string_view word) {
  if (word.size() < 2) return false;
  for (size_t k = 0; k < word.size(); ++k) {
    if (k % 2 == 0 ? !IsLetter(static_cast<unsigned char>(word[k])) : word[k] != '.') return false;
  }
  return true;
}

// A byte of a lower-case text against a folded one: lower case already, only «ё»
// reads otherwise.
bool Same(char text, char folded) { return text == folded || (text == Yo && folded == E); }

// Whether the lower-case text holds word (folded).
bool Holds(const char* text, size_t size, std::string_view word) {
  if (word.size() > size) return false;
  const size_t last = size - word.size();
  for (size_t at = 0; at <= last; ++at) {
    if (!Same(text[at], word[0])) continue;
    size_t k = 1;
    while (k < word.size() && Same(text[at + k], word[k])) ++k;
    if (k == word.size()) return true;
  }
  return false;
}

// Kuhn's augmenting paths over a bit per text word.
struct TMaskMatching {
  const uint64_t* Holds = nullptr;
  uint64_t Visited = 0;
  uint64_t Held = 0;
  uint8_t Holder[64];  // per text word in Held: the field word it went to
};

bool AugmentMask(TMaskMatching& matching, size_t word) {
  const uint64_t holds = matching.Holds[word];
  for (uint64_t open = holds & ~matching.Visited; open != 0; open = holds & ~matching.Visited) {
    const int j = __builtin_ctzll(open);
    const uint64_t bit = uint64_t{1} << j;
    matching.Visited |= bit;
    if ((matching.Held & bit) == 0 || AugmentMask(matching, matching.Holder[j])) {
      matching.Holder[j] = static_cast<uint8_t>(word);
      matching.Held |= bit;
      return true;
    }
  }
  return false;
}

// Spaces part the words; runs of them make no empty word.
template <typename TOnWord>
void ForEachWord(std::string_view text, TOnWord&& onWord) {
  size_t at = 0;
  while (at < text.size()) {
    if (text[at] == ' ') {
      ++at;
      continue;
    }
    const size_t end = std::min(text.find(' ', at), text.size());
    onWord(at, end - at);
    at = end;
  }
}

// One word of initials alone: its letters begin words of the text in their order
// exactly when the earliest such word for each letter leaves room for the rest.
bool InitialsInOrder(std::string_view text, std::string_view letters) {
  size_t next = 0;
  const char* end = text.data() + text.size();
  for (const char* at = text.data(); at < end; ++at) {
    if (*at == ' ') continue;
    next += Same(*at, letters[next]);
    if (next == letters.size()) return true;
    at = static_cast<const char*>(std::memchr(at, ' ', static_cast<size_t>(end - at)));
    if (at == nullptr) break;
  }
  return false;
}

#if defined(__SSE2__)
// Bit 16 * quarter + k: whether byte 16 * quarter + k of text is byte, or «ё» where
// byte is «е».
uint64_t BytesAt(const char* text, int quarter, char byte) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + 16 * quarter));
  __m128i same = _mm_cmpeq_epi8(bytes, _mm_set1_epi8(byte));
  if (byte == E) same = _mm_or_si128(same, _mm_cmpeq_epi8(bytes, _mm_set1_epi8(Yo)));
  return uint64_t{static_cast<unsigned>(_mm_movemask_epi8(same))} << (16 * quarter);
}
#endif

// Where words begin with one letter (or «ё» for «е»), and the NULs that part the
// texts, among 64 bytes of a table's lower-case texts from offset at.
struct TChunk {
  uint64_t Begins = 0;
  uint64_t Nuls = 0;
};

TChunk NarrowChunk(const char* texts, size_t at, size_t size, char letter) {
  TChunk chunk;
  for (size_t k = 0; k < size; ++k) {
    const char byte = texts[at + k];
    const char before = at + k == 0 ? '\0' : texts[at + k - 1];
    chunk.Nuls |= uint64_t{byte == '\0'} << k;
    chunk.Begins |= uint64_t{Same(byte, letter) && (before == ' ' || before == '\0')} << k;
  }
  return chunk;
}

#if defined(__SSE2__)
// The same for all 64 bytes, with a byte before them to read.
TChunk WideChunk(const char* texts, size_t at, char letter) {
  const __m128i wanted = _mm_set1_epi8(letter);
  const __m128i other = _mm_set1_epi8(letter == E ? Yo : letter);
  const __m128i space = _mm_set1_epi8(' ');
  const __m128i nul = _mm_setzero_si128();
  TChunk chunk;
  for (int quarter = 0; quarter < 4; ++quarter) {
    const char* from = texts + at + 16 * quarter;
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from - 1));
    const __m128i letters = _mm_or_si128(_mm_cmpeq_epi8(bytes, wanted), _mm_cmpeq_epi8(bytes, other));
    const __m128i gaps = _mm_or_si128(_mm_cmpeq_epi8(before, space), _mm_cmpeq_epi8(before, nul));
    const auto begins = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(letters, gaps)));
    const auto nuls = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, nul)));
    chunk.Begins |= uint64_t{begins} << (16 * quarter);
    chunk.Nuls |= uint64_t{nuls} << (16 * quarter);
  }
  return chunk;
}

// The same, thirty-two bytes at a time on processors that have AVX2.
__attribute__((target("avx2"))) TChunk WideChunk32(const char* texts, size_t at, char letter) {
  const __m256i wanted = _mm256_set1_epi8(letter);
  const __m256i other = _mm256_set1_epi8(letter == E ? Yo : letter);
  const __m256i space = _mm256_set1_epi8(' ');
  const __m256i nul = _mm256_setzero_si256();
  TChunk chunk;
  for (int half = 0; half < 2; ++half) {
    const char* from = texts + at + 32 * half;
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from));
    const __m256i before = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from - 1));
    const __m256i letters = _mm256_or_si256(_mm256_cmpeq_epi8(bytes, wanted), _mm256_cmpeq_epi8(bytes, other));
    const __m256i gaps = _mm256_or_si256(_mm256_cmpeq_epi8(before, space), _mm256_cmpeq_epi8(before, nul));
    const auto begins = static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_and_si256(letters, gaps)));
    const auto nuls = static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(bytes, nul)));
    chunk.Begins |= uint64_t{begins} << (32 * half);
    chunk.Nuls |= uint64_t{nuls} << (32 * half);
  }
  return chunk;
}

const bool HasAvx2 = __builtin_cpu_supports("avx2");
#endif

// Calls onCandidate for each of the texts first..last-1 that has at least needed
// words beginning with letter: what initials alone may match. Within a text no NUL
// parts two such words, so the count needs no text boundaries but the NULs: adding
// a chunk's words to its bytes outside NULs carries from each text's first word up
// to the text's end, leaving a one at its later words only. As many rounds as
// needed leave the texts' needed-th words, and only those few are looked up.
template <typename TOnCandidate>
void ForEachInitialsCandidate(const TTextTable& table, char letter, size_t needed, size_t first, size_t last,
                              TOnCandidate&& onCandidate) {
  const char* texts = table.LowerTexts().data();
  const size_t end = table.StartOf(last);
  // Per round: whether the text at the top of the last chunk goes on with a carry.
  std::vector<uint8_t> carries(needed, 0);
  size_t index = first;
  for (size_t at = table.StartOf(first); at < end; at += 64) {
    const size_t size = std::min<size_t>(64, end - at);
#if defined(__SSE2__)
    const TChunk chunk = size < 64 || at == 0 ? NarrowChunk(texts, at, size, letter)
                         : HasAvx2            ? WideChunk32(texts, at, letter)
                                              : WideChunk(texts, at, letter);
#else
    const TChunk chunk = NarrowChunk(texts, at, size, letter);
#endif
    const uint64_t open = ~chunk.Nuls & (size == 64 ? ~uint64_t{0} : (uint64_t{1} << size) - 1);
    uint64_t words = chunk.Begins;
    uint64_t sum = 0;
    for (size_t round = 0; round < needed; ++round) {
      const bool over = __builtin_add_overflow(open, words, &sum);
      const bool overAgain = __builtin_add_overflow(sum, uint64_t{carries[round]}, &sum);
      carries[round] = over || overAgain;
      if (round + 1 < needed) words &= sum;
    }
    for (uint64_t found = words & ~sum; found != 0; found &= found - 1) {
      // A walk reads the starts in order, which the cache sees coming; a search
      // would miss it at every step.
      const size_t offset = at + static_cast<size_t>(__builtin_ctzll(found));
      while (table.StartOf(index + 1) <= offset) ++index;
      onCandidate(index);
    }
  }
}

}  // namespace

TForgivingPattern::TForgivingPattern(std::string_view field) {
  ForEachWord(field, [&](size_t at, size_t size) {
    std::string word(field.substr(at, size));
    for (char& c : word) c = static_cast<char>(Fold(c));
    if (IsInitials(word)) {
      std::string letters;
      for (size_t k = 0; k < word.size(); k += 2) letters += word[k];
      initialLetters_ += letters.size();
      initials_.push_back(std::move(letters));
      return;
    }
    // A dot after a whole word is a slip, unless the dots are all there is.
    const size_t kept = word.find_last_not_of('.');
    if (kept != std::string::npos) word.resize(kept + 1);
    words_.push_back(std::move(word));
  });
  for (const std::string& word : words_) {
    if (word.size() > required_.size()) required_ = word;
  }
  std::array<size_t, 256> uses{};
  for (const std::string& letters : initials_) {
    for (const char letter : letters) {
      const size_t used = ++uses[static_cast<unsigned char>(letter)];
      if (used > commonestInitialUses_) {
        commonestInitialUses_ = used;
        commonestInitial_ = static_cast<unsigned char>(letter);
      }
    }
  }
  if (words_.size() + initialLetters_ > 64) return;
  for (size_t byte = 0; byte < 256; ++byte) {
    const unsigned char folded = ForgivingFold[byte];
    for (size_t i = 0; i < words_.size(); ++i)
      wordsBeginning_[byte] |= uint64_t{static_cast<unsigned char>(words_[i][0]) == folded} << i;
    size_t letter = 0;
    for (const std::string& letters : initials_) {
      for (const char wanted : letters)
        lettersBeginning_[byte] |= uint64_t{static_cast<unsigned char>(wanted) == folded} << letter++;
    }
  }
}

bool TForgivingPattern::Matches(std::string_view text, TForgivingScratch& scratch) const {
  std::string& lower = scratch.lower_;
  const size_t size = TextBeforeNul(text).size();
  lower.assign(text.substr(0, size));
  for (char& c : lower) c = LowerChar(c);
  // As in a table, where more bytes follow a text.
  lower.resize(size + WideReach, '\0');
  return MatchesLowerCase(std::string_view(lower).substr(0, size), lower.size(), scratch);
}

bool TForgivingPattern::MatchesLowerCase(std::string_view text, size_t readable, TForgivingScratch& scratch) const {
#if defined(__SSE2__)
  if (!RequiredDecides() && (!words_.empty() || initials_.size() > 1) && words_.size() + initialLetters_ <= 64 &&
      readable >= WideReach) {
    if (const std::optional<bool> matches = MatchesShort(text, scratch)) return *matches;
  }
#endif
  text = TextBeforeNul(text);
  // A single word inside the text is inside one of its words, holding no space.
  if (RequiredDecides()) return Holds(text.data(), text.size(), words_[0]);
  if (words_.empty() && initials_.size() == 1) return InitialsInOrder(text, initials_[0]);
  return words_.size() + initialLetters_ <= 64 ? MatchesFewWords(text, scratch) : MatchManyWords(text, scratch);
}

#if defined(__SSE2__)
// A text shorter than 64 bytes is read sixteen bytes at a time, a bit per byte:
// each field word's first two bytes leave few places to compare in full, and a
// count of the word starts before a place names its word.
std::optional<bool> TForgivingPattern::MatchesShort(std::string_view text, TForgivingScratch& scratch) const {
  const char* data = text.data();
  uint64_t nuls = 0;
  int quarters = 0;
  while (quarters < 4 && nuls == 0) nuls = BytesAt(data, quarters++, '\0');
  const size_t size = std::min(text.size(), nuls == 0 ? size_t{64} : static_cast<size_t>(__builtin_ctzll(nuls)));
  if (size > 63) return std::nullopt;
  const uint64_t inside = (uint64_t{1} << size) - 1;
  uint64_t spaces = 0;
  for (int q = 0; q < quarters; ++q) spaces |= BytesAt(data, q, ' ');
  spaces &= inside;
  const uint64_t starts = ~spaces & inside & (spaces << 1 | 1);
  const auto wordOf = [&](int at) {
    return uint64_t{1} << (__builtin_popcountll(starts & ((uint64_t{2} << at) - 1)) - 1);
  };
  if (words_.size() + initialLetters_ > static_cast<size_t>(__builtin_popcountll(starts))) return false;
  scratch.holds_.resize(words_.size());
  for (size_t i = 0; i < words_.size(); ++i) {
    const std::string& word = words_[i];
    if (word.size() > size) return false;
    uint64_t firsts = 0;
    for (int q = 0; q < quarters; ++q)
      firsts |= BytesAt(data, q, word[0]) & (word.size() > 1 ? BytesAt(data + 1, q, word[1]) : ~uint64_t{0});
    uint64_t places = firsts & ((uint64_t{1} << (size - word.size() + 1)) - 1);
    uint64_t holders = 0;
    for (; places != 0; places &= places - 1) {
      const int at = __builtin_ctzll(places);
      size_t k = 2;
      while (k < word.size() && Same(data[at + static_cast<int>(k)], word[k])) ++k;
      if (k >= word.size()) holders |= wordOf(at);
    }
    if (holders == 0) return false;
    scratch.holds_[i] = holders;
  }
  scratch.begins_.resize(initialLetters_);
  size_t letter = 0;
  for (const std::string& letters : initials_) {
    for (const char wanted : letters) {
      uint64_t begun = 0;
      for (int q = 0; q < quarters; ++q) begun |= BytesAt(data, q, wanted);
      uint64_t words = 0;
      for (begun &= starts; begun != 0; begun &= begun - 1) words |= wordOf(__builtin_ctzll(begun));
      scratch.begins_[letter++] = words;
    }
  }
  return AssignFew(0, 0, 0, 0, 0, scratch);
}
#endif

// One pass gives each field word and letter of the initials a bit per text word,
// leaving the matching a few masks' work; the bytes that may begin a field word
// or a letter's word are looked up rather than compared with each.
bool TForgivingPattern::MatchesFewWords(std::string_view text, TForgivingScratch& scratch) const {
  scratch.holds_.assign(words_.size(), 0);
  scratch.begins_.assign(initialLetters_, 0);
  uint64_t* holds = scratch.holds_.data();
  uint64_t* begins = scratch.begins_.data();
  const char* data = text.data();
  const size_t size = text.size();
  size_t count = 0;
  uint64_t bit = 0;
  for (size_t at = 0; at < size; ++at) {
    const auto byte = static_cast<unsigned char>(data[at]);
    if (byte == ' ') continue;
    if (at == 0 || data[at - 1] == ' ') {
      if (count == 64) return MatchManyWords(text, scratch);
      bit = uint64_t{1} << count++;
      for (uint64_t letters = lettersBeginning_[byte]; letters != 0; letters &= letters - 1)
        begins[__builtin_ctzll(letters)] |= bit;
    }
    for (uint64_t words = wordsBeginning_[byte]; words != 0; words &= words - 1) {
      const auto i = static_cast<size_t>(__builtin_ctzll(words));
      const std::string& word = words_[i];
      if (word.size() > size - at) continue;
      size_t k = 1;
      while (k < word.size() && Fold(data[at + k]) == static_cast<unsigned char>(word[k])) ++k;
      if (k == word.size()) holds[i] |= bit;
    }
  }
  if (words_.size() + initialLetters_ > count) return false;
  for (size_t i = 0; i < words_.size(); ++i) {
    if (holds[i] == 0) return false;
  }
  return AssignFew(0, 0, 0, 0, 0, scratch);
}

// As Assign, the words given to letters kept as bits of taken; flat counts the
// letters of the initials before this one.
bool TForgivingPattern::AssignFew(size_t initials, size_t letter, size_t flat, size_t from, uint64_t taken,
                                  TForgivingScratch& scratch) const {
  if (initials == initials_.size()) {
    TMaskMatching matching;
    matching.Holds = scratch.holds_.data();
    for (size_t i = 0; i < words_.size(); ++i) {
      matching.Visited = taken;
      if (!AugmentMask(matching, i)) return false;
    }
    return true;
  }
  if (letter == initials_[initials].size()) return AssignFew(initials + 1, 0, flat, 0, taken, scratch);
  const uint64_t later = from < 64 ? ~uint64_t{0} << from : 0;
  for (uint64_t open = scratch.begins_[flat] & ~taken & later; open != 0; open &= open - 1) {
    const auto j = static_cast<size_t>(__builtin_ctzll(open));
    if (AssignFew(initials, letter + 1, flat + 1, j + 1, taken | uint64_t{1} << j, scratch)) return true;
  }
  return false;
}

bool TForgivingPattern::MatchManyWords(std::string_view text, TForgivingScratch& scratch) const {
  // Names are short: a byte loop beats a library search per space.
  auto& words = scratch.words_;
  words.clear();
  size_t start = 0;
  for (size_t end = 0; end <= text.size(); ++end) {
    if (end < text.size() && text[end] != ' ') continue;
    if (end > start)
      words.push_back({static_cast<uint32_t>(start), static_cast<uint32_t>(end - start), Fold(text[start])});
    start = end + 1;
  }
  if (words_.size() + initialLetters_ > words.size()) return false;
  const size_t count = words.size();
  scratch.fits_.resize(words_.size() * count);
  for (size_t i = 0; i < words_.size(); ++i) {
    bool anywhere = false;
    for (size_t j = 0; j < count; ++j) {
      const bool fits = Holds(text.data() + words[j].Start, words[j].Size, words_[i]);
      scratch.fits_[i * count + j] = fits;
      anywhere |= fits;
    }
    if (!anywhere) return false;
  }
  scratch.holder_.resize(count);
  scratch.taken_.assign(count, 0);
  scratch.visited_.resize(count, 0);
  return Assign(0, 0, 0, scratch);
}

// Tries every way of giving the letters of the initials words in order, the plain
// words then taking what is left.
bool TForgivingPattern::Assign(size_t initials, size_t letter, uint32_t from, TForgivingScratch& scratch) const {
  if (initials == initials_.size()) return MatchPlainWords(scratch);
  const std::string& letters = initials_[initials];
  if (letter == letters.size()) return Assign(initials + 1, 0, 0, scratch);
  const auto wanted = static_cast<unsigned char>(letters[letter]);
  const auto count = static_cast<uint32_t>(scratch.words_.size());
  for (uint32_t j = from; j < count; ++j) {
    if (scratch.taken_[j] || scratch.words_[j].First != wanted) continue;
    scratch.taken_[j] = 1;
    if (Assign(initials, letter + 1, j + 1, scratch)) return true;
    scratch.taken_[j] = 0;
  }
  return false;
}

// Repeated words and words found in several text words make a greedy choice fail
// where another would do: a matching by augmenting paths finds one if any exists.
bool TForgivingPattern::MatchPlainWords(TForgivingScratch& scratch) const {
  std::fill(scratch.holder_.begin(), scratch.holder_.end(), -1);
  for (size_t i = 0; i < words_.size(); ++i) {
    ++scratch.round_;
    if (!Augment(i, scratch)) return false;
  }
  return true;
}

bool TForgivingPattern::Augment(size_t word, TForgivingScratch& scratch) const {
  const size_t count = scratch.words_.size();
  for (size_t j = 0; j < count; ++j) {
    if (!scratch.fits_[word * count + j] || scratch.taken_[j] || scratch.visited_[j] == scratch.round_) continue;
    scratch.visited_[j] = scratch.round_;
    if (scratch.holder_[j] < 0 || Augment(static_cast<size_t>(scratch.holder_[j]), scratch)) {
      scratch.holder_[j] = static_cast<int32_t>(word);
      return true;
    }
  }
  return false;
}

std::vector<uint64_t> TextsMatchingForgivingly(const TTextTable& table, const TForgivingPattern& pattern) {
  const std::string_view texts = table.LowerTexts();
  const auto textAt = [&](size_t i) {
    return texts.substr(table.StartOf(i), table.StartOf(i + 1) - table.StartOf(i) - 1);
  };
  TForgivingScratch scratches[2];
  if (!pattern.Required().empty()) {
    if (pattern.RequiredDecides()) return TextsContainingReadingYoAsE(table, pattern.Required());
    return TextsContainingReadingYoAsE(table, pattern.Required(), [&](size_t i, int part) {
      return pattern.MatchesLowerCase(textAt(i), texts.size() - table.StartOf(i), scratches[part]);
    });
  }
  const size_t size = table.size();
  if (pattern.CommonestInitial() == 0) return std::vector<uint64_t>((size + 63) / 64, ~uint64_t{0});
  std::vector<uint64_t> bits((size + 63) / 64, 0);
  const auto mark = [&](size_t first, size_t last, int part) {
    const auto letter = static_cast<char>(pattern.CommonestInitial());
    ForEachInitialsCandidate(table, letter, pattern.CommonestInitialUses(), first, last, [&](size_t i) {
      if (pattern.MatchesLowerCase(textAt(i), texts.size() - table.StartOf(i), scratches[part]))
        bits[i >> 6] |= uint64_t{1} << (i & 63);
    });
  };
  const auto split = static_cast<size_t>(SplitPoint(static_cast<int64_t>(size), 64));
  if (split == 0) {
    mark(0, size, 0);
  } else {
    RunSideBySide([&] { mark(0, split, 0); }, [&] { mark(split, size, 1); });
  }
  return bits;
}
