#include "tests/regexpr/support/ReferenceMatcher.h"

#include <functional>

namespace reference {
namespace {

using TKind = TNode::TKind;
using TContinuation = std::function<bool(int)>;

constexpr int GroupCount = 15;

bool IsWordChar(uint8_t c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool IsBreak(uint8_t c) { return c == '\r' || c == '\n'; }

class TBacktracker {
 public:
  explicit TBacktracker(std::string_view text) : Text_(text) {}

  int GroupStart(int n) const { return Starts_[n]; }
  int GroupEnd(int n) const { return Ends_[n]; }

  bool Match(const TNode& node, int pos, const TContinuation& next) {
    switch (node.Kind) {
      case TKind::Empty: return next(pos);
      case TKind::Chars: return pos < Length() && node.Set.test(At(pos)) && next(pos + 1);
      case TKind::Any: return pos < Length() && next(pos + 1);
      case TKind::AnyInLine: return pos < Length() && !IsBreak(At(pos)) && next(pos + 1);
      case TKind::TextStart: return pos == 0 && next(pos);
      case TKind::TextEnd: return pos == Length() && next(pos);
      case TKind::LineStart: return AtLineStart(pos) && next(pos);
      case TKind::LineEnd: return AtLineEnd(pos) && next(pos);
      case TKind::WordBoundary: return AtWordBoundary(pos) && next(pos);
      case TKind::NotWordBoundary: return !AtWordBoundary(pos) && next(pos);
      case TKind::BackRef: return MatchBackRef(node, pos, next);
      case TKind::Group: return MatchGroup(node, pos, next);
      case TKind::Choice:
        for (const TNode& alternative : node.Children)
          if (Match(alternative, pos, next)) return true;
        return false;
      case TKind::Sequence: return MatchSequence(node, 0, pos, next);
      case TKind::Repeat: return MatchRepeat(node, 0, pos, next);
    }
    return false;
  }

 private:
  std::string_view Text_;
  int Starts_[GroupCount] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  int Ends_[GroupCount] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

  int Length() const { return static_cast<int>(Text_.size()); }
  uint8_t At(int pos) const { return static_cast<uint8_t>(Text_[pos]); }

  // CR LF counts as one break: no line starts or ends between its two characters.
  bool AtLineStart(int pos) const {
    if (pos == 0) return true;
    if (At(pos - 1) == '\n') return true;
    return At(pos - 1) == '\r' && !(pos < Length() && At(pos) == '\n');
  }

  bool AtLineEnd(int pos) const {
    if (pos == Length()) return true;
    if (At(pos) == '\r') return true;
    return At(pos) == '\n' && !(pos > 0 && At(pos - 1) == '\r');
  }

  bool AtWordBoundary(int pos) const {
    const bool before = pos > 0 && IsWordChar(At(pos - 1));
    const bool at = pos < Length() && IsWordChar(At(pos));
    return before != at;
  }

  bool MatchBackRef(const TNode& node, int pos, const TContinuation& next) {
    const int start = Starts_[node.Group];
    const int end = Ends_[node.Group];
    if (start < 0 || end < 0) return false;
    const int length = end > start ? end - start : 0;
    if (pos + length > Length()) return false;
    for (int i = 0; i < length; ++i) {
      const uint8_t want = At(start + i);
      const uint8_t have = At(pos + i);
      if (have != want && !(node.NoCase && have == SwapCase(want))) return false;
    }
    return next(pos + length);
  }

  bool MatchGroup(const TNode& node, int pos, const TContinuation& next) {
    const int n = node.Group;
    const int oldStart = Starts_[n];
    Starts_[n] = pos;
    const bool matched = Match(node.Children[0], pos, [&](int end) {
      const int oldEnd = Ends_[n];
      Ends_[n] = end;
      if (next(end)) return true;
      Ends_[n] = oldEnd;
      return false;
    });
    if (!matched) Starts_[n] = oldStart;
    return matched;
  }

  bool MatchSequence(const TNode& sequence, size_t index, int pos, const TContinuation& next) {
    if (index == sequence.Children.size()) return next(pos);
    return Match(sequence.Children[index], pos,
                 [&](int after) { return MatchSequence(sequence, index + 1, after, next); });
  }

  // An iteration that consumes nothing is refused, so no repetition runs for ever.
  bool MatchRepeat(const TNode& repeat, int count, int pos, const TContinuation& next) {
    auto iterate = [&] {
      return Match(repeat.Children[0], pos,
                   [&](int after) { return after != pos && MatchRepeat(repeat, count + 1, after, next); });
    };
    if (count < repeat.Min) return iterate();
    if (repeat.Lazy) return next(pos) || (count < repeat.Max && iterate());
    return (count < repeat.Max && iterate()) || next(pos);
  }
};

struct TFirst {
  std::bitset<256> Chars;
  bool Passable = false;  // a match can go past without consuming a character
};

TFirst FirstOf(const TNode& node) {
  TFirst first;
  switch (node.Kind) {
    case TKind::Chars: first.Chars = node.Set; break;
    case TKind::Any:
    case TKind::AnyInLine:
    case TKind::BackRef: first.Chars.set(); break;
    case TKind::Group: return FirstOf(node.Children[0]);
    case TKind::Choice:
      for (const TNode& alternative : node.Children) {
        const TFirst each = FirstOf(alternative);
        first.Chars |= each.Chars;
        first.Passable = first.Passable || each.Passable;
      }
      break;
    case TKind::Sequence:
      first.Passable = true;
      for (const TNode& piece : node.Children) {
        const TFirst each = FirstOf(piece);
        first.Chars |= each.Chars;
        if (!each.Passable) {
          first.Passable = false;
          break;
        }
      }
      break;
    case TKind::Repeat:
      first.Chars = FirstOf(node.Children[0]).Chars;
      first.Passable = node.Min == 0;
      break;
    default: first.Passable = true;
  }
  return first;
}

bool IsAnchored(const TNode& root) {
  if (root.Kind != TKind::Choice || root.Children.size() != 1) return false;
  const TNode& sequence = root.Children[0];
  return !sequence.Children.empty() && sequence.Children[0].Kind == TKind::TextStart;
}

TMatch TryAt(const TNode& root, std::string_view text, int start) {
  TBacktracker backtracker(text);
  TMatch match;
  if (backtracker.Match(root, start, [&](int end) {
        match.End = end;
        match.FirstGroupStart = backtracker.GroupStart(1);
        match.FirstGroupEnd = backtracker.GroupEnd(1);
        return true;
      })) {
    match.Found = true;
    match.Start = start;
  }
  return match;
}

}  // namespace

// A match is sought only where a non-empty match could begin, and never at the
// end of the text, unless the whole expression is anchored at the start.
TMatch Search(const TNode& root, std::string_view text) {
  text = text.substr(0, text.find('\0'));
  if (IsAnchored(root)) return TryAt(root, text, 0);
  const std::bitset<256> starts = FirstOf(root).Chars;
  for (int p = 0; p < static_cast<int>(text.size()); ++p) {
    if (!starts.test(static_cast<uint8_t>(text[p]))) continue;
    const TMatch match = TryAt(root, text, p);
    if (match.Found) return match;
  }
  return {};
}

}  // namespace reference
