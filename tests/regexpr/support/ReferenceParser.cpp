#include <string>

#include "tests/regexpr/support/ReferenceMatcher.h"
#include "tests/support/Cp1251Literal.h"

namespace reference {
namespace {

constexpr int ModI = 1, ModR = 2, ModS = 4, ModG = 8, ModM = 16, ModX = 32;
constexpr int Unbounded = 2147483647;
constexpr int Unsupported = -1;
const std::string WordChars = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_";
const std::string SpaceChars = " \t\n\r\f";
const std::string Digits = "0123456789";
struct TError {
  int Code;
};

using TKind = TNode::TKind;

TNode Leaf(TKind kind) {
  TNode node;
  node.Kind = kind;
  return node;
}

TNode CharsOf(const std::string& members, bool negated) {
  TNode node = Leaf(TKind::Chars);
  for (char c : members) node.Set.set(static_cast<uint8_t>(c));
  if (negated) node.Set.flip();
  return node;
}

bool IsQuantifier(int c) { return c == '*' || c == '+' || c == '?' || c == '{'; }

class TParser {
 public:
  explicit TParser(std::string_view text) : Text_(text.substr(0, text.find('\0'))) {}

  TNode ParseAll() {
    if (Text_.empty()) throw TError{1003};
    bool nonEmpty = false;
    TNode root = ParseChoice(nonEmpty);
    if (Peek() == ')') throw TError{104};
    return root;
  }

 private:
  std::string_view Text_;
  size_t Pos_ = 0;
  int Modifiers_ = ModI | ModR | ModS | ModG;
  int Groups_ = 0;

  int Peek(size_t ahead = 0) const {
    return Pos_ + ahead < Text_.size() ? static_cast<uint8_t>(Text_[Pos_ + ahead]) : 0;
  }
  bool Has(int modifier) const { return (Modifiers_ & modifier) != 0; }

  TNode ParseChoice(bool& nonEmpty) {
    const int saved = Modifiers_;
    TNode choice = Leaf(TKind::Choice);
    nonEmpty = true;
    for (;;) {
      bool branchNonEmpty = false;
      choice.Children.push_back(ParseSequence(branchNonEmpty));
      nonEmpty = nonEmpty && branchNonEmpty;
      if (Peek() != '|') break;
      ++Pos_;
    }
    Modifiers_ = saved;
    return choice;
  }

  TNode ParseSequence(bool& nonEmpty) {
    TNode sequence = Leaf(TKind::Sequence);
    nonEmpty = false;
    while (Peek() != 0 && Peek() != '|' && Peek() != ')') {
      bool pieceNonEmpty = false;
      sequence.Children.push_back(ParsePiece(pieceNonEmpty));
      nonEmpty = nonEmpty || pieceNonEmpty;
    }
    return sequence;
  }

  TNode ParsePiece(bool& nonEmpty) {
    bool atomNonEmpty = false;
    TNode atom = ParseAtom(atomNonEmpty);
    const int q = Peek();
    nonEmpty = atomNonEmpty;
    if (!IsQuantifier(q)) return atom;
    if (!atomNonEmpty && q != '?') throw TError{106};
    TNode repeat = Leaf(TKind::Repeat);
    if (q == '*') {
      repeat.Min = 0, repeat.Max = Unbounded;
    } else if (q == '+') {
      repeat.Min = 1, repeat.Max = Unbounded;
    } else if (q == '?') {
      repeat.Min = 0, repeat.Max = 1;
    } else if (!ParseBraces(repeat)) {
      return atom;  // the "{" is ordinary text
    }
    nonEmpty = repeat.Min > 0;
    const bool lazyMark = Peek(1) == '?';  // the cursor stands on the quantifier's last character
    repeat.Lazy = lazyMark || !Has(ModG);
    if (lazyMark) ++Pos_;
    ++Pos_;
    if (IsQuantifier(Peek())) throw TError{107};
    repeat.Children.push_back(std::move(atom));
    return repeat;
  }

  bool ParseBraces(TNode& repeat) {
    const size_t brace = Pos_++;
    const std::string low = Digits();
    if (low.empty() || (Peek() != '}' && Peek() != ',')) {
      Pos_ = brace;
      return false;
    }
    repeat.Min = Count(low);
    repeat.Max = repeat.Min;
    if (Peek() == ',') {
      ++Pos_;
      const std::string high = Digits();
      if (Peek() != '}') {
        Pos_ = brace;
        return false;
      }
      repeat.Max = high.empty() ? Unbounded - 1 : Count(high);
    }
    if (repeat.Max < repeat.Min) throw TError{124};
    return true;
  }

  std::string Digits() {
    std::string digits;
    while (Peek() >= '0' && Peek() <= '9') digits.push_back(static_cast<char>(Text_[Pos_++]));
    return digits;
  }

  static int Count(const std::string& digits) {
    if (digits.size() > 8) throw TError{122};
    return std::stoi(digits);
  }

  TNode ParseAtom(bool& nonEmpty) {
    nonEmpty = false;
    const int c = Peek();
    ++Pos_;
    switch (c) {
      case '^': return Leaf(Has(ModM) ? TKind::LineStart : TKind::TextStart);
      case '$': return Leaf(Has(ModM) ? TKind::LineEnd : TKind::TextEnd);
      case '.': nonEmpty = true; return Leaf(Has(ModS) ? TKind::Any : TKind::AnyInLine);
      case '(': return ParseParenthesis(nonEmpty);
      case '*':
      case '+':
      case '?': throw TError{115};
      case '[': nonEmpty = true; return ParseBrackets();
      case '\\': return ParseEscape(nonEmpty);
      default:
        if (Has(ModX)) throw TError{Unsupported};
        nonEmpty = true;
        return Literal(c);
    }
  }

  TNode Literal(int c) {
    TNode node = Leaf(TKind::Chars);
    node.Set.set(c);
    if (Has(ModI)) node.Set.set(SwapCase(static_cast<uint8_t>(c)));
    return node;
  }

  TNode ParseParenthesis(bool& nonEmpty) {
    if (Peek() == '?' && Peek(1) == '#') {
      const size_t close = Text_.find(')', Pos_);
      if (close == std::string_view::npos) throw TError{125};
      Pos_ = close + 1;
      return Leaf(TKind::Empty);
    }
    if (Peek() == '?') {
      ++Pos_;
      ApplyModifiers();
      return Leaf(TKind::Empty);
    }
    if (Groups_ >= 14) throw TError{102};
    TNode group = Leaf(TKind::Group);
    group.Group = ++Groups_;
    group.Children.push_back(ParseChoice(nonEmpty));
    if (Peek() != ')') throw TError{103};
    ++Pos_;
    return group;
  }

  void ApplyModifiers() {
    bool clear = false;
    for (;; ++Pos_) {
      const int c = Peek();
      if (c == 0) throw TError{127};
      if (c == ')') break;
      if (c == '-') {
        clear = true;
        continue;
      }
      const std::string letters = "irsgmx";
      const size_t index = letters.find(static_cast<char>(c | 0x20));
      if (index == std::string::npos) throw TError{127};
      const int bit = 1 << index;
      Modifiers_ = clear ? Modifiers_ & ~bit : Modifiers_ | bit;
    }
    ++Pos_;
    if (Has(ModX)) throw TError{Unsupported};
  }

  TNode ParseEscape(bool& nonEmpty) {
    const int e = Peek();
    if (e == 0) throw TError{116};
    nonEmpty = true;
    TNode node;
    if (e >= '1' && e <= '9') {
      node = Leaf(TKind::BackRef);
      node.Group = e - '0';
      node.NoCase = Has(ModI);
    } else if (e == 'A' || e == 'Z' || e == 'b' || e == 'B') {
      nonEmpty = false;
      node = Leaf(e == 'A'   ? TKind::TextStart
                  : e == 'Z' ? TKind::TextEnd
                  : e == 'b' ? TKind::WordBoundary
                             : TKind::NotWordBoundary);
    } else if (e == 'd' || e == 'D') {
      node = CharsOf(Digits_, e == 'D');
      node.Set.reset(0);
    } else if (e == 'w' || e == 'W') {
      node = CharsOf(WordChars, e == 'W');
    } else if (e == 's' || e == 'S') {
      node = CharsOf(SpaceChars, e == 'S');
    } else {
      const int c = DecodeEscape();
      if (c == 0) throw TError{Unsupported};  // an empty literal, matched only at the end
      node = Literal(c);
    }
    ++Pos_;
    return node;
  }

  const std::string Digits_ = "0123456789";

  int DecodeEscape() {
    const int e = Peek();
    switch (e) {
      case 't': return 9;
      case 'n': return 10;
      case 'r': return 13;
      case 'f': return 12;
      case 'a': return 7;
      case 'e': return 27;
      case 'x': break;
      default: return e;
    }
    ++Pos_;
    if (Peek() == 0) throw TError{111};
    if (Peek() == '{') {
      int value = 0;
      for (;;) {
        ++Pos_;
        if (Peek() == 0) throw TError{111};
        if (Peek() == '}') return value;
        if (value >= 16) throw TError{112};
        value = value * 16 + HexDigit(Peek());
      }
    }
    const int high = HexDigit(Peek());
    ++Pos_;
    if (Peek() == 0) throw TError{111};
    return high * 16 + HexDigit(Peek());
  }

  static int HexDigit(int c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    throw TError{108};
  }

  // Bracket expressions. A single member may start a range; anything else ends that chance.
  struct TSetBuilder {
    std::bitset<256> Bits;
    bool NoCase = false;
    bool RangeAllowed = false;
    int RangeStart = 0;
    void Add(int c) {
      RangeAllowed = false;
      Bits.set(c);
      if (NoCase) Bits.set(SwapCase(static_cast<uint8_t>(c)));
    }
    void AddAll(const std::string& members) {
      for (char c : members) Add(static_cast<uint8_t>(c));
    }
    void AddRangeStart(int c) {
      RangeStart = c;
      if (c != 0) Add(c);
      RangeAllowed = true;
    }
  };

  TNode ParseBrackets() {
    const bool negated = Peek() == '^';
    if (negated) ++Pos_;
    TSetBuilder set;
    set.NoCase = Has(ModI);
    if (Peek() == ']') {
      set.AddRangeStart(']');
      ++Pos_;
    }
    while (Peek() != 0 && Peek() != ']') {
      if (Peek() == '-' && Peek(1) != 0 && Peek(1) != ']' && set.RangeAllowed) {
        ++Pos_;
        if (Peek() == '\\' && std::string("dDsSwW").find(static_cast<char>(Peek(1))) != std::string::npos) {
          set.Add('-');
          continue;
        }
        AddRange(set);
      } else if (Peek() == '\\') {
        ++Pos_;
        const int e = Peek();
        if (e == 0) throw TError{110};
        if (e == 'd') set.AddAll(Digits_);
        else if (e == 'w') set.AddAll(WordChars);
        else if (e == 's') set.AddAll(SpaceChars);
        else set.AddRangeStart(DecodeEscape());
      } else {
        set.AddRangeStart(Peek());
      }
      ++Pos_;
    }
    if (Peek() != ']') throw TError{113};
    ++Pos_;
    TNode node = Leaf(TKind::Chars);
    node.Set = negated ? ~set.Bits : set.Bits;
    node.Set.reset(0);
    return node;
  }

  void AddRange(TSetBuilder& set) {
    int end = Peek();
    if (end == '\\') {
      if (Peek(1) == 0) throw TError{109};
      ++Pos_;
      end = DecodeEscape();
    }
    const int start = set.RangeStart;
    if (Has(ModR) && start == 0xE0 && end == 0xFF) {
      set.AddAll(RussianLower);
    } else if (Has(ModR) && start == 0xC0 && end == 0xDF) {
      set.AddAll(RussianUpper);
    } else if (Has(ModR) && start == 0xE0 && end == 0xDF) {
      set.AddAll(RussianLower);
      set.AddAll(RussianUpper);
    } else {
      if (end < start) throw TError{109};
      if (end != 0) set.Add(end);
      for (int c = start + 1; c < end; ++c) set.Add(c);
    }
    set.RangeAllowed = false;
  }
};

}  // namespace

uint8_t SwapCase(uint8_t c) {
  if (c >= 'a' && c <= 'z') return static_cast<uint8_t>(c - 32);
  if (c >= 'A' && c <= 'Z') return static_cast<uint8_t>(c + 32);
  if (c >= 0xE0) return static_cast<uint8_t>(c - 32);
  if (c >= 0xC0) return static_cast<uint8_t>(c + 32);
  if (c == 0xA8) return 0xB8;
  if (c == 0xB8) return 0xA8;
  return c;
}

TParseResult Parse(std::string_view expression) {
  TParseResult result;
  try {
    result.Root = TParser(expression).ParseAll();
  } catch (const TError& error) {
    result.ErrorCode = error.Code;
  }
  return result;
}

}  // namespace reference
