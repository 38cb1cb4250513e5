#pragma once
// Edit masks of the pattern-restricted fields, compiled into a sequence of counted
// character sets. Characters are Windows-1251 bytes; byte 0 stands for a character
// that has no Windows-1251 form and is never part of any set.
//
// Mask language: literals, "." (any character), "\d" "\D" "\w" "\W" "\s" "\S",
// "\" before a punctuation character for that character, classes "[...]" and
// "[^...]" with ranges, and the counts "{n}", "{m,n}", "{m,}", "?", "*", "+".
// Groups, alternation and anchors are not part of it: such a mask throws
// std::invalid_argument, since it is a programming error in the caller.

#include <bitset>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

using TCharSet = std::bitset<256>;

struct TMaskItem {
  TCharSet Chars;
  int Min = 1;
  int Max = 1;  // kUnbounded for "no upper limit"
};

class TMaskPattern {
 public:
  static constexpr int kUnbounded = -1;
  static constexpr int kMaxCount = 1000;

  // Throws std::invalid_argument naming the mask when it is not in the mask language.
  static TMaskPattern Compile(std::string_view mask);

  const std::vector<TMaskItem>& Items() const { return items_; }

 private:
  std::vector<TMaskItem> items_;
};

// An empty mask, or one of spaces only, leaves a field unrestricted.
bool IsNoMask(std::string_view mask);
