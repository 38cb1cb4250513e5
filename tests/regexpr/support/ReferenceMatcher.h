#pragma once
// An independent, deliberately plain model of the expression language: a
// recursive-descent parser into a tree and a continuation-passing backtracker.
// Written for clarity, not speed; the differential tests hold the engine to it.
// Extended syntax (x) is outside the model.

#include <bitset>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace reference {

struct TNode {
  enum class TKind {
    Empty,      // matches nothing; also modifier groups and comments
    Chars,      // one character of Set
    Any,        // any character
    AnyInLine,  // any character but a line break
    TextStart,
    TextEnd,
    LineStart,
    LineEnd,
    WordBoundary,
    NotWordBoundary,
    BackRef,
    Group,
    Choice,
    Sequence,
    Repeat,
  };
  TKind Kind = TKind::Empty;
  std::bitset<256> Set;
  int Group = 0;         // Group, BackRef
  bool NoCase = false;   // BackRef
  int Min = 0, Max = 0;  // Repeat
  bool Lazy = false;     // Repeat
  std::vector<TNode> Children;
};

struct TParseResult {
  std::optional<TNode> Root;  // none when the expression is rejected
  int ErrorCode = 0;
};

// Parses with the default modifiers (i, r, s, g).
TParseResult Parse(std::string_view expression);

struct TMatch {
  bool Found = false;
  int Start = -1;
  int End = -1;
  int FirstGroupStart = -1;  // group 1 as the successful path left it
  int FirstGroupEnd = -1;
};

// Leftmost match among the permitted start positions.
TMatch Search(const TNode& root, std::string_view text);

uint8_t SwapCase(uint8_t c);

}  // namespace reference
