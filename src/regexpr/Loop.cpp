#include "regexpr/Matcher.h"
#include "regexpr/Raise.h"

namespace regexpr {

// Counted loops over complex operands. A loop node that fails leaves the level
// and the counters as it found them, so that another alternative inside the
// body, or another attempt of an outer repetition, meets the loop unchanged.

bool TMatcher::MatchLoopEntry(const uint8_t* next) {
  const int32_t outer = LoopLevel_;
  if (outer >= MaxLoopLevel) Raise(ErrorLoopStackExceeded);
  LoopLevel_ = outer + 1;
  const uint8_t* start = Cursor_;
  LoopCounts_[LoopLevel_] = 0;
  const bool matched = MatchPrim(next);
  LoopLevel_ = outer;
  if (!matched) Cursor_ = start;
  return matched;
}

bool TMatcher::MatchLoop(const uint8_t* node, const uint8_t* next) {
  if (LoopLevel_ <= 0) Raise(ErrorLoopWithoutEntry);
  const int32_t level = LoopLevel_;
  const int32_t count = LoopCounts_[level];
  const int32_t min = MinCount(node);
  const int32_t max = MaxCount(node);
  const uint8_t* body = CheckedNode(LoopBody(node));
  if (count < min) return IterateLoop(body, level, count);
  if (*node == opLoopLazy) return LeaveLoop(next, level) || (count < max && IterateLoop(body, level, count));
  return (count < max && IterateLoop(body, level, count)) || LeaveLoop(next, level);
}

bool TMatcher::IterateLoop(const uint8_t* body, int32_t level, int32_t count) {
  const uint8_t* start = Cursor_;
  LoopCounts_[level] = count + 1;
  const bool matched = MatchPrim(body);
  LoopLevel_ = level;
  if (!matched) {
    LoopCounts_[level] = count;
    Cursor_ = start;
  }
  return matched;
}

bool TMatcher::LeaveLoop(const uint8_t* next, int32_t level) {
  const TLoopState counts = LoopCounts_;
  const uint8_t* start = Cursor_;
  LoopLevel_ = level - 1;
  if (MatchPrim(next)) return true;
  LoopCounts_ = counts;
  LoopLevel_ = level;
  Cursor_ = start;
  return false;
}

}  // namespace regexpr
