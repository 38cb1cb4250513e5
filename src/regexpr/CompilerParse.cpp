#include <optional>
#include <string_view>

#include "regexpr/Compiler.h"
#include "regexpr/CompilerFlags.h"

namespace regexpr {

namespace {

constexpr std::string_view MetaChars = "^$.[()|?+*\\{";
constexpr int MaxCountDigits = 8;

bool IsMeta(uint8_t c) { return c != 0 && MetaChars.find(static_cast<char>(c)) != std::string_view::npos; }
bool IsQuantifier(uint8_t c) { return c == '*' || c == '+' || c == '?' || c == '{'; }
bool IsBlank(uint8_t c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }
bool IsLineBreak(uint8_t c) { return c == '\r' || c == '\n'; }

// The modifier of an inline modifier letter; none for any other character.
std::optional<TModifier> ModifierOfLetter(uint8_t c) {
  switch (c | 0x20) {
    case 'i': return TModifier::I;
    case 'r': return TModifier::R;
    case 's': return TModifier::S;
    case 'g': return TModifier::G;
    case 'm': return TModifier::M;
    case 'x': return TModifier::X;
    default: return std::nullopt;
  }
}

}  // namespace

uint8_t TCompiler::Peek(int ahead) const {
  return ExpressionEnd_ - ParseCursor_ > ahead ? static_cast<uint8_t>(ParseCursor_[ahead]) : 0;
}

void TCompiler::Step() {
  if (ParseCursor_ < ExpressionEnd_) ++ParseCursor_;
}

uint8_t* TCompiler::ParseReg(bool inGroup, int& flags) {
  flags = flagNonEmpty;
  const TModifiers savedModifiers = ParseModifiers_;
  uint8_t* head = nullptr;
  int group = 0;
  if (inGroup) {
    if (NextGroup_ >= MaxGroups) RaiseError(ErrorTooManyGroups);
    group = NextGroup_++;
    head = AppendNode(GroupOpenOpcode(group));
  }
  bool firstBranch = true;
  uint8_t* lastBranch = head;  // linking from here, not from head, keeps many alternatives linear
  do {
    if (!firstBranch) Step();  // over "|"
    int branchFlags = 0;
    uint8_t* branch = ParseSequence(branchFlags);
    if (head == nullptr && firstBranch) head = branch;
    else LinkChainEnd(lastBranch, branch);
    lastBranch = branch;
    if ((branchFlags & flagNonEmpty) == 0) flags &= ~flagNonEmpty;
    flags |= branchFlags & flagStartsRepeat;
    firstBranch = false;
  } while (Peek() == '|');
  uint8_t* end = AppendNode(inGroup ? GroupCloseOpcode(group) : static_cast<uint8_t>(opEnd));
  LinkChainEnd(head, end);
  for (uint8_t* node = head; node != nullptr && !Sizing_; node = const_cast<uint8_t*>(NextNode(node))) {
    LinkOperandEnd(node, end);
    if (node == end) break;
  }
  if (inGroup) {
    if (Peek() != ')') RaiseError(ErrorUnclosedGroup);
    Step();
  } else if (Peek() != 0) {
    RaiseError(Peek() == ')' ? ErrorUnopenedGroup : ErrorJunkOnEnd);
  }
  ParseModifiers_ = savedModifiers;
  return head;
}

uint8_t* TCompiler::ParseSequence(int& flags) {
  flags = 0;
  uint8_t* head = AppendNode(opAlternative);
  uint8_t* last = nullptr;
  bool first = true;
  while (Peek() != 0 && Peek() != '|' && Peek() != ')') {
    int pieceFlags = 0;
    uint8_t* piece = ParseQuantified(pieceFlags);
    flags |= pieceFlags & flagNonEmpty;
    if (first) flags |= pieceFlags & flagStartsRepeat;
    else LinkChainEnd(last, piece);
    last = piece;
    first = false;
  }
  if (first) AppendNode(opEmpty);
  return head;
}

uint8_t* TCompiler::ParseQuantified(int& flags) {
  int atomFlags = 0;
  uint8_t* atom = ParseAtom(atomFlags);
  const uint8_t q = Peek();
  if (!IsQuantifier(q)) {
    flags = atomFlags;
    return atom;
  }
  if ((atomFlags & flagNonEmpty) == 0 && q != '?') RaiseError(ErrorEmptyOperand);
  const bool singleChar = (atomFlags & flagSingleChar) != 0;
  // For a brace the lazy mark follows the closing "}", so ParseBraces decides it.
  const bool lazyMark = q != '{' && Peek(1) == '?';
  const bool lazy = lazyMark || !ParseModifiers_.Has(TModifier::G);
  switch (q) {
    case '*':
      flags = flagStartsRepeat;
      EmitStar(atom, singleChar, lazy);
      break;
    case '+':
      flags = flagNonEmpty | flagStartsRepeat;
      EmitPlus(atom, singleChar, lazy);
      break;
    case '?':
      flags = 0;
      EmitOptional(atom, singleChar, lazy);
      break;
    default: {
      const char* brace = ParseCursor_;
      uint8_t* piece = ParseBraces(atom, atomFlags, lazy, flags);
      if (ParseCursor_ == brace) return piece;  // not a quantifier: "{" starts the next atom
      if (Peek(1) == '?') Step();
      break;
    }
  }
  if (lazyMark) Step();
  Step();
  if (IsQuantifier(Peek())) RaiseError(ErrorNestedQuantifier);
  return atom;
}

// Reads "{n}", "{n,}" or "{n,m}" after atom and emits the repetition, leaving the
// cursor on the "}". Anything else leaves the cursor on the "{" and the atom alone.
uint8_t* TCompiler::ParseBraces(uint8_t* atom, int atomFlags, bool lazy, int& flags) {
  const char* brace = ParseCursor_;
  auto giveUp = [&] {
    ParseCursor_ = brace;
    flags = atomFlags;
    return atom;
  };
  Step();
  const char* minFirst = ParseCursor_;
  while (IsDigit(Peek())) Step();
  const char* minLast = ParseCursor_;
  if (minFirst == minLast || (Peek() != '}' && Peek() != ',')) return giveUp();
  int32_t max = 0;
  const int32_t min = ParseCount(minFirst, minLast);
  if (Peek() == ',') {
    Step();
    const char* maxFirst = ParseCursor_;
    while (IsDigit(Peek())) Step();
    if (Peek() != '}') return giveUp();
    max = maxFirst == ParseCursor_ ? MaxRepeatCount : ParseCount(maxFirst, ParseCursor_);
  } else {
    max = min;
  }
  if (max < min) RaiseError(ErrorBracesMinAboveMax);
  // A zero minimum can match the empty string; saying so makes an outer
  // quantifier report an empty operand instead of looping without end.
  flags = min > 0 ? flagNonEmpty | flagStartsRepeat : 0;
  const bool braceLazy = lazy || Peek(1) == '?';
  if ((atomFlags & flagSingleChar) != 0) EmitSimpleRepeat(atom, min, max, braceLazy);
  else EmitLoop(atom, min, max, braceLazy);
  return atom;
}

int32_t TCompiler::ParseCount(const char* first, const char* last) {
  if (last - first > MaxCountDigits) RaiseError(ErrorBracesTooBig);
  int64_t value = 0;
  for (const char* p = first; p < last; ++p) value = value * 10 + (*p - '0');
  if (value > MaxRepeatCount) RaiseError(ErrorBracesTooBig);
  return static_cast<int32_t>(value);
}

uint8_t* TCompiler::ParseAtom(int& flags) {
  flags = 0;
  const uint8_t c = Peek();
  Step();
  const bool multiLine =
      ParseModifiers_.Has(TModifier::M) && (!Settings_.LineBreakChars.empty() || Settings_.PairAssigned);
  switch (c) {
    case 0:
    case '|':
    case ')': RaiseError(ErrorInternal);
    case '^': return AppendNode(multiLine ? opLineStart : opInputStart);
    case '$': return AppendNode(multiLine ? opLineEnd : opInputEnd);
    case '.':
      if (ParseModifiers_.Has(TModifier::S)) {
        flags = flagNonEmpty | flagSingleChar;
        return AppendNode(opAnyChar);
      }
      flags = flagNonEmpty;
      return AppendNode(opAnyCharInLine);
    case '(':
      if (Peek() == '?' && Peek(1) == '#') return ParseComment();
      if (Peek() == '?') return ParseModifierGroup();
      {
        int groupFlags = 0;
        uint8_t* group = ParseReg(true, groupFlags);
        flags = groupFlags & (flagNonEmpty | flagStartsRepeat);
        return group;
      }
    case '*':
    case '+':
    case '?': RaiseError(ErrorFollowsNothing);
    case '[': flags = flagNonEmpty | flagSingleChar; return ParseBracket();
    case '\\': return ParseEscape(flags);
    default:
      --ParseCursor_;
      if (ParseModifiers_.Has(TModifier::X) && (IsBlank(c) || c == '#')) return ParseBlanks();
      return ParseLiteralRun(flags);
  }
}

uint8_t* TCompiler::ParseComment() {
  Step();  // "?"
  Step();  // "#"
  while (Peek() != 0 && Peek() != ')') Step();
  if (Peek() == 0) RaiseError(ErrorUnclosedComment);
  Step();
  return AppendNode(opNoOp);
}

uint8_t* TCompiler::ParseModifierGroup() {
  Step();  // "?"
  const char* letters = ParseCursor_;
  while (Peek() != 0 && Peek() != ')') Step();
  if (Peek() == 0) RaiseError(ErrorBadModifier);
  TModifiers modifiers = ParseModifiers_;
  bool clearing = false;
  for (const char* p = letters; p < ParseCursor_; ++p) {
    const auto c = static_cast<uint8_t>(*p);
    if (c == '-') {
      clearing = true;
      continue;
    }
    const std::optional<TModifier> modifier = ModifierOfLetter(c);
    if (!modifier) RaiseError(ErrorBadModifier);
    modifiers = modifiers.With(*modifier, !clearing);
  }
  ParseModifiers_ = modifiers;
  Step();
  return AppendNode(opNoOp);
}

uint8_t* TCompiler::ParseBlanks() {
  if (Peek() == '#') {
    while (Peek() != 0 && !IsLineBreak(Peek())) Step();
    while (IsLineBreak(Peek())) Step();
  } else {
    while (IsBlank(Peek())) Step();
  }
  return AppendNode(opNoOp);
}

uint8_t* TCompiler::ParseLiteralRun(int& flags) {
  int length = 0;
  while (Peek(length) != 0 && !IsMeta(Peek(length))) ++length;
  if (length == 0) {
    if (Peek() != '{') RaiseError(ErrorLiteralDisaster);
    length = 1;
    while (Peek(length) != 0 && !IsMeta(Peek(length))) ++length;
  }
  if (length > 1 && IsQuantifier(Peek(length))) --length;
  flags = length == 1 ? flagNonEmpty | flagSingleChar : flagNonEmpty;
  const bool extended = ParseModifiers_.Has(TModifier::X);
  uint8_t* node = AppendNode(ParseModifiers_.Has(TModifier::I) ? opLiteralNoCase : opLiteral);
  for (int i = 0; i < length; ++i) {
    const uint8_t c = Peek();
    if (extended && c == '#') break;
    if (!(extended && IsBlank(c))) AppendByte(c);
    Step();
  }
  AppendByte(0);
  return node;
}

uint8_t* TCompiler::ParseEscape(int& flags) {
  if (Peek() == 0) RaiseError(ErrorTrailingBackslash);
  const uint8_t e = Peek();
  const bool noCase = ParseModifiers_.Has(TModifier::I);
  uint8_t* node = nullptr;
  flags = flagNonEmpty | flagSingleChar;
  switch (e) {
    case 'A':
      flags = 0;
      node = AppendNode(opInputStart);
      break;
    case 'Z':
      flags = 0;
      node = AppendNode(opInputEnd);
      break;
    case 'b':
      flags = 0;
      node = AppendNode(opWordBoundary);
      break;
    case 'B':
      flags = 0;
      node = AppendNode(opNotWordBoundary);
      break;
    case 'd': node = AppendNode(opDigit); break;
    case 'D': node = AppendNode(opNonDigit); break;
    case 'w': node = EmitClassSet(false, Settings_.WordCharacters); break;
    case 'W': node = EmitClassSet(true, Settings_.WordCharacters); break;
    case 's': node = EmitClassSet(false, Settings_.SpaceCharacters); break;
    case 'S': node = EmitClassSet(true, Settings_.SpaceCharacters); break;
    default:
      if (e >= '1' && e <= '9') {
        node = AppendNode(noCase ? opBackRefNoCase : opBackRef);
        AppendByte(static_cast<uint8_t>(e - '0'));
      } else {
        node = AppendNode(noCase ? opLiteralNoCase : opLiteral);
        const uint8_t c = DecodeEscape();
        AppendByte(c);
        AppendByte(0);
        // Code 0 is an empty literal: it consumes nothing, so it must not be repeated.
        if (c == 0) flags = 0;
      }
  }
  Step();
  return node;
}

uint8_t TCompiler::DecodeEscape() {
  switch (Peek()) {
    case 't': return '\t';
    case 'n': return '\n';
    case 'r': return '\r';
    case 'f': return '\f';
    case 'a': return 7;
    case 'e': return 27;
    case 'x': break;
    default: return Peek();
  }
  Step();
  if (Peek() == 0) RaiseError(ErrorNoHexCode);
  if (Peek() == '{') {
    int value = 0;
    for (;;) {
      Step();
      if (Peek() == 0) RaiseError(ErrorNoHexCode);
      if (Peek() == '}') return static_cast<uint8_t>(value);
      if (value >= 16) RaiseError(ErrorHexCodeTooBig);
      value = value * 16 + HexDigitValue(Peek());
    }
  }
  const int high = HexDigitValue(Peek());
  Step();
  if (Peek() == 0) RaiseError(ErrorNoHexCode);
  return static_cast<uint8_t>(high * 16 + HexDigitValue(Peek()));
}

uint8_t TCompiler::HexDigitValue(uint8_t c) {
  if (IsDigit(c)) return static_cast<uint8_t>(c - '0');
  if (c >= 'a' && c <= 'f') c = static_cast<uint8_t>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'F') return static_cast<uint8_t>(c - 'A' + 10);
  RaiseError(ErrorBadHexDigit);
}

}  // namespace regexpr
