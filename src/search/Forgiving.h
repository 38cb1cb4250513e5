#pragma once
// Forgiving reading of the owner and corpus fields: «ё» is «е», the words of the
// field are found in any order, each inside a word of its own of the text, and a word
// of initials ("И." or "И.И.") stands for as many words of the text, in that order,
// that begin with its letters.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cp1251/Cp1251Table.h"
#include "data/TextTable.h"

// Lower case, with «ё» and «Ё» read as «е».
inline constexpr cp1251::ByteTable ForgivingFold = [] {
  cp1251::ByteTable table = cp1251::LowerCase;
  table[0xA8] = 0xE5;
  table[0xB8] = 0xE5;

  return table;
}();

// What one thread needs to match texts, kept between texts so that a scan does not
// allocate once it has met its longest text; aligned so that two threads' scratches
// share no cache line.
class alignas(64) TForgivingScratch {
 private:
  friend class TForgivingPattern;
  struct TWord {
    uint32_t Start;
    uint32_t Size;
    unsigned char First;  // folded
  };
  std::string lower_;
  std::vector<TWord> words_;
  std::vector<uint64_t> holds_;    // per field word: the text words that hold it, for 64 words or fewer
  std::vector<uint64_t> begins_;   // per letter of the initials: the text words it begins, the same
  std::vector<uint8_t> fits_;      // field word by text word: the text word holds it
  std::vector<int32_t> holder_;    // per text word: the field word matched to it, -1 none
  std::vector<uint8_t> taken_;     // per text word: given to a letter of the initials
  std::vector<uint32_t> visited_;  // per text word: the round of the matching that saw it
  uint32_t round_ = 0;
};

class TForgivingPattern {
 public:
  // field is a trimmed owner or corpus field, in any case.
  explicit TForgivingPattern(std::string_view field);

  // A word of the field that every matching text holds, «ё» read as «е» (the longest,
  // to leave few texts to read word by word); empty for initials alone.
  const std::string& Required() const { return required_; }
  // Holding Required() is the whole match: the field is one word, not initials.
  bool RequiredDecides() const { return words_.size() == 1 && initials_.empty(); }
  // The folded letter that the most letters of the initials are, and how many are;
  // 0 and 0 for no initials.
  unsigned char CommonestInitial() const { return commonestInitial_; }
  size_t CommonestInitialUses() const { return commonestInitialUses_; }
  // text in any case, read up to its first NUL.
  bool Matches(std::string_view text, TForgivingScratch& scratch) const;
  // The bytes past a text that the wide reading of short texts may need.
  static constexpr size_t WideReach = 65;
  // The same for a text already lower case, as a table's LowerTexts() holds them;
  // readable bytes from text.data() on may be read, WideReach of them for speed.
  bool MatchesLowerCase(std::string_view text, size_t readable, TForgivingScratch& scratch) const;

 private:
  std::optional<bool> MatchesShort(std::string_view text, TForgivingScratch& scratch) const;
  bool MatchesFewWords(std::string_view text, TForgivingScratch& scratch) const;
  bool AssignFew(size_t initials, size_t letter, size_t flat, size_t from, uint64_t taken,
                 TForgivingScratch& scratch) const;
  bool MatchManyWords(std::string_view text, TForgivingScratch& scratch) const;
  bool Assign(size_t initials, size_t letter, uint32_t from, TForgivingScratch& scratch) const;
  bool MatchPlainWords(TForgivingScratch& scratch) const;
  bool Augment(size_t word, TForgivingScratch& scratch) const;

  std::vector<std::string> words_;     // folded, each to be found inside a text word
  std::vector<std::string> initials_;  // the folded letters of each word of initials
  size_t initialLetters_ = 0;
  unsigned char commonestInitial_ = 0;
  size_t commonestInitialUses_ = 0;
  std::string required_;
  // By byte of lower-case text, for 64 field words and letters or fewer: the field
  // words it may begin, and the letters of the initials (counted across the words).
  std::array<uint64_t, 256> wordsBeginning_{};
  std::array<uint64_t, 256> lettersBeginning_{};
};

// One bit per text of table that the pattern matches.
std::vector<uint64_t> TextsMatchingForgivingly(const TTextTable& table, const TForgivingPattern& pattern);
