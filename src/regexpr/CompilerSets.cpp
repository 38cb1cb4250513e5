#include <bit>
#include <cstring>
#include <string_view>

#include "regexpr/Compiler.h"

namespace regexpr {

namespace {

constexpr std::string_view Digits = "0123456789";
constexpr std::string_view RussianLower =
    "\xE0\xE1\xE2\xE3\xE4\xE5\xB8\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF"
    "\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF7\xF8\xF9\xFA\xFB\xFC\xFD\xFE\xFF";
constexpr std::string_view RussianUpper =
    "\xC0\xC1\xC2\xC3\xC4\xC5\xA8\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"
    "\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD7\xD8\xD9\xDA\xDB\xDC\xDD\xDE\xDF";
constexpr uint8_t LowerA = 0xE0, LowerYa = 0xFF, UpperA = 0xC0, UpperYa = 0xDF;

// An escape after "-" that names a class keeps the "-" literal instead of ending a range.
bool IsClassLetter(uint8_t c) {
  return std::string_view("dDsSwW").find(static_cast<char>(c)) != std::string_view::npos;
}

}  // namespace

uint8_t* TCompiler::BeginSet(bool negated, bool noCase) {
  uint8_t* node = AppendNode(negated ? opNotSmallSet : opSmallSet);
  SetNoCase_ = noCase;
  SetStart_ = EmitCursor_;
  SetStartSize_ = ProgramSize_;
  SetBits_.fill(0);
  return node;
}

void TCompiler::AddSetChar(uint8_t c) {
  RangeAllowed_ = false;
  AddToBitSet(SetBits_.data(), c);
  if (SetNoCase_) AddToBitSet(SetBits_.data(), Settings_.CaseSwapper(c));
  SetBits_[0] &= 0xFE;  // code 0 is never a member
}

void TCompiler::AddSetString(std::string_view s) {
  for (char c : s) AddSetChar(static_cast<uint8_t>(c));
}

void TCompiler::AddRangeStart(uint8_t c) {
  RangeStart_ = c;
  if (c != 0) AddSetChar(c);
  RangeAllowed_ = true;
}

// Members are counted and ordered only here, which keeps adding them cheap.
void TCompiler::FinishSet() {
  int count = 0;
  for (size_t i = 0; i < SetBits_.size(); i += sizeof(uint64_t)) {
    uint64_t word = 0;
    std::memcpy(&word, SetBits_.data() + i, sizeof word);
    count += std::popcount(word);
  }
  const bool large = count > SmallSetSize;
  if (Sizing_) {
    ProgramSize_ = SetStartSize_ + (large ? BitSetSize : SmallSetSize);
    return;
  }
  uint8_t* node = SetStart_ - NodeHeaderSize;
  if (ProgramEnd() - SetStart_ < (large ? BitSetSize : SmallSetSize)) RaiseError(ErrorInternal);
  if (large) {
    const uint8_t flip = node[0] == opNotSmallSet ? 0xFF : 0;
    node[0] = opBitSet;
    for (int i = 0; i < BitSetSize; ++i) SetStart_[i] = SetBits_[i] ^ flip;
    EmitCursor_ = SetStart_ + BitSetSize;
    return;
  }
  // Ascending members, the highest repeated to fill three bytes; no member gives three zeros.
  uint8_t highest = 0;
  EmitCursor_ = SetStart_;
  for (int c = 1; c < 256; ++c) {
    if (!InBitSet(SetBits_.data(), static_cast<uint8_t>(c))) continue;
    highest = static_cast<uint8_t>(c);
    *EmitCursor_++ = highest;
  }
  while (EmitCursor_ < SetStart_ + SmallSetSize) *EmitCursor_++ = highest;
}

uint8_t* TCompiler::EmitClassSet(bool negated, std::string_view members) {
  uint8_t* node = BeginSet(negated, false);
  AddSetString(members);
  FinishSet();
  return node;
}

uint8_t* TCompiler::ParseBracket() {
  const bool negated = Peek() == '^';
  if (negated) Step();
  uint8_t* node = BeginSet(negated, ParseModifiers_.Has(TModifier::I));
  RangeAllowed_ = false;
  if (Peek() == ']') {
    AddRangeStart(']');
    Step();
  }
  while (Peek() != 0 && Peek() != ']') {
    if (Peek() == '-' && Peek(1) != 0 && Peek(1) != ']' && RangeAllowed_) {
      Step();
      if (Peek() == '\\' && IsClassLetter(Peek(1))) {
        AddSetChar('-');
        continue;
      }
      ParseBracketRange();
    } else if (Peek() == '\\') {
      ParseBracketEscape();
    } else {
      AddRangeStart(Peek());
    }
    Step();
  }
  FinishSet();
  if (Peek() != ']') RaiseError(ErrorUnmatchedBracket);
  Step();
  return node;
}

// The cursor stands on the range end; it is left on the end's last character.
void TCompiler::ParseBracketRange() {
  uint8_t last = Peek();
  if (last == '\\') {
    Step();
    // A "\" ending the text would denote code 0, which no range may end with.
    if (Peek() == 0) RaiseError(ErrorInvalidRange);
    last = DecodeEscape();
  }
  const uint8_t first = RangeStart_;
  if (ParseModifiers_.Has(TModifier::R) && first == LowerA && (last == LowerYa || last == UpperYa)) {
    AddSetString(RussianLower);
    if (last == UpperYa) AddSetString(RussianUpper);
  } else if (ParseModifiers_.Has(TModifier::R) && first == UpperA && last == UpperYa) {
    AddSetString(RussianUpper);
  } else {
    if (last < first) RaiseError(ErrorInvalidRange);
    if (last != 0) AddSetChar(last);
    for (int c = first + 1; c < last; ++c) AddSetChar(static_cast<uint8_t>(c));
  }
  RangeAllowed_ = false;
}

// The cursor stands on the "\"; it is left on the escape's last character.
void TCompiler::ParseBracketEscape() {
  Step();
  switch (Peek()) {
    case 0: RaiseError(ErrorTrailingBackslashInSet);
    case 'd': AddSetString(Digits); break;
    case 'w': AddSetString(Settings_.WordCharacters); break;
    case 's': AddSetString(Settings_.SpaceCharacters); break;
    default: AddRangeStart(DecodeEscape()); return;
  }
  RangeAllowed_ = false;
}

}  // namespace regexpr
