#include <algorithm>
#include <cstdint>
#include <limits>

#include "regexpr/Matcher.h"
#include "regexpr/Raise.h"

namespace regexpr {

namespace {

template <typename Accepts>
const uint8_t* SkipWhile(const uint8_t* from, const uint8_t* stop, Accepts accepts) {
  while (from < stop && accepts(*from)) ++from;
  return from;
}

}  // namespace

bool TMatcher::TryRepeatAttempts(const uint8_t* node, const uint8_t* next) {
  int32_t min = 0;
  int32_t max = std::numeric_limits<int32_t>::max();
  const uint8_t* operand = Operand(node);
  const uint8_t op = *node;
  if (IsPlus(op)) min = 1;
  if (IsRepeat(op)) {
    min = MinCount(node);
    max = MaxCount(node);
    operand = RepeatedNode(node);
  }
  if (min < 0 || max < min) Raise(ErrorCorruptedNode);
  const bool lazy = IsLazy(op);
  // A literal after the run must start right where the run stops.
  TLookAhead lookAhead{};
  if (next != nullptr && IsLiteral(*CheckedNode(next))) {
    const uint8_t first = Operand(next)[0];
    lookAhead = {true, first, *next == opLiteral ? first : Settings_.CaseSwapper(first)};
  }

  // Attempts of a back-reference step by the whole captured text, never past the end.
  const int64_t step = IsBackRef(*operand) ? CapturedLength(Operand(operand)[0]) : 1;
  const uint8_t* start = Cursor_;
  const int64_t count = RegRepeat(operand, max);
  if (count < min) return false;
  if (lazy) {
    for (int64_t k = min; k <= count; ++k) {
      Cursor_ = start + k * step;
      if (AttemptAfterRepeat(next, lookAhead)) return true;
    }
  } else {
    for (int64_t k = count; k >= min; --k) {
      Cursor_ = start + k * step;
      if (AttemptAfterRepeat(next, lookAhead)) return true;
    }
  }
  return false;
}

bool TMatcher::AttemptAfterRepeat(const uint8_t* next, TLookAhead lookAhead) {
  if (lookAhead.Known && *Cursor_ != lookAhead.Char && *Cursor_ != lookAhead.Swapped) return false;
  const TLoopState counts = LoopCounts_;
  const int32_t level = LoopLevel_;
  if (MatchPrim(next)) return true;
  LoopCounts_ = counts;
  LoopLevel_ = level;
  return false;
}

int32_t TMatcher::RegRepeat(const uint8_t* operand, int32_t max) {
  if (IsBackRef(*operand)) return RepeatBackRef(operand, max);
  const uint8_t* stop = Cursor_ + std::min<int64_t>(TextEnd_ - Cursor_, std::max(max, 0));
  const uint8_t* members = Operand(operand);
  const uint8_t* end = Cursor_;
  switch (*operand) {
    case opAnyChar: end = stop; break;
    case opLiteral: {
      const uint8_t c = members[0];
      end = SkipWhile(Cursor_, stop, [c](uint8_t x) { return x == c; });
      break;
    }
    case opLiteralNoCase: {
      const uint8_t c = members[0];
      const uint8_t swapped = Settings_.CaseSwapper(c);
      end = SkipWhile(Cursor_, stop, [c, swapped](uint8_t x) { return x == c || x == swapped; });
      break;
    }
    case opDigit: end = SkipWhile(Cursor_, stop, IsDigit); break;
    case opNonDigit: end = SkipWhile(Cursor_, stop, [](uint8_t x) { return !IsDigit(x); }); break;
    case opSmallSet: end = SkipWhile(Cursor_, stop, [members](uint8_t x) { return InSmallSet(members, x); }); break;
    case opNotSmallSet: end = SkipWhile(Cursor_, stop, [members](uint8_t x) { return !InSmallSet(members, x); }); break;
    case opBitSet: end = SkipWhile(Cursor_, stop, [members](uint8_t x) { return InBitSet(members, x); }); break;
    default: Raise(ErrorBadRepeatOperand);
  }
  const auto count = static_cast<int32_t>(end - Cursor_);
  CountScanned(count);
  Cursor_ = end;
  return count;
}

// Whole repetitions of the captured text; an empty capture stops the count at
// once, since repeating it would never move the cursor.
int32_t TMatcher::RepeatBackRef(const uint8_t* operand, int32_t max) {
  const int group = Operand(operand)[0];
  const int length = CapturedLength(group);
  if (length == 0) return 0;
  const uint8_t* captured = GroupStart_[group];
  const bool noCase = *operand == opBackRefNoCase;
  const uint8_t* from = Cursor_;
  int32_t count = 0;
  while (count < max && TextEnd_ - Cursor_ >= length && RepeatsCapture(captured, length, noCase)) {
    Cursor_ += length;
    ++count;
  }
  CountCompared(Cursor_ - from + length);
  return count;
}

bool TMatcher::RepeatsCapture(const uint8_t* captured, int length, bool noCase) const {
  const TCaseSwapper swapCase = Settings_.CaseSwapper;
  for (int i = 0; i < length; ++i) {
    const uint8_t want = captured[i];
    if (Cursor_[i] != want && !(noCase && Cursor_[i] == swapCase(want))) return false;
  }
  return true;
}

}  // namespace regexpr
