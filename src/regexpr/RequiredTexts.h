#pragma once
// Texts of which every match of a compiled program contains one at least, so
// that a caller can pass over subjects that hold none without running it.

#include <string_view>
#include <vector>

namespace regexpr {

struct TRequiredTexts {
  std::vector<std::string_view> Texts;  // into the program
  // Holding one of the texts, ignoring case, is the whole match: the program is
  // a choice of case-insensitive literals and nothing else.
  bool Decisive = false;
  // Every match starts at the subject's first character with one of the texts.
  bool AtStart = false;
};

// The most selective such choice that the top-level sequence of program offers:
// one literal, or a literal from each alternative of a choice, and where the
// program is anchored to the start, the literals it must begin with. The texts are
// compared as the program compares them, as written or ignoring case; a caller
// that folds case finds at least every subject that can match. No texts when the
// program promises none.
TRequiredTexts RequiredTexts(std::string_view program);

}  // namespace regexpr
