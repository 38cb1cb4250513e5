#include <algorithm>
#include <cstring>

#include "regexpr/MatchLimits.h"
#include "regexpr/Matcher.h"
#include "regexpr/Raise.h"

namespace regexpr {

// Accounts one MatchPrim call against the depth bound, and drops the jump-back
// marks that the call placed when it returns.
class TMatcher::TMatchFrame {
 public:
  explicit TMatchFrame(TMatcher& owner) : Owner_(owner), Marks_(owner.JumpMarks_) {
    if (++Owner_.MatchDepth_ > MaxMatchDepth) Raise(ErrorMatchTooDeep);
  }
  ~TMatchFrame() {
    --Owner_.MatchDepth_;
    Owner_.JumpMarks_ = Marks_;
  }
  TMatchFrame(const TMatchFrame&) = delete;
  TMatchFrame& operator=(const TMatchFrame&) = delete;

 private:
  TMatcher& Owner_;
  const TJumpMark* Marks_;
};

const uint8_t* TMatcher::CheckedNode(const uint8_t* node) const {
  if (node == nullptr || node < ProgramFirst_ || node + NodeHeaderSize > ProgramEnd_) Raise(ErrorCorruptedPointers);
  return node;
}

// Inlined into MatchPrim: the memo around a repetition costs no call of its own.
[[gnu::always_inline]] inline bool TMatcher::MatchSimpleRepeat(const uint8_t* node, const uint8_t* next) {
  const int64_t memo = MemoSlot(node);
  if (KnownToFail(memo)) return false;
  if (TryRepeatAttempts(node, next)) return true;
  RememberFailure(memo);
  return false;
}

bool TMatcher::MatchPrim(const uint8_t* scan) {
  TMatchFrame frame(*this);
  TJumpMark mark;  // written before use
  bool markPlaced = false;
  for (;;) {
    VisitNode();
    scan = CheckedNode(scan);
    const uint8_t* next = NextNode(scan);
    const uint8_t op = *scan;
    switch (op) {
      case opEnd: return true;
      case opAlternative:
        if (next != nullptr && *CheckedNode(next) == opAlternative) return MatchChoice(scan);
        next = Operand(scan);  // a choice of one alternative costs no recursion
        break;
      case opStar:
      case opPlus:
      case opRepeat:
      case opStarLazy:
      case opPlusLazy:
      case opRepeatLazy: return MatchSimpleRepeat(scan, next);
      case opLoopEntry: return MatchLoopEntry(next);
      case opLoop:
      case opLoopLazy: return MatchLoop(scan, next);
      case opJumpBack:
        if (markPlaced) return MatchPrim(scan);  // one mark per frame
        if (RepeatsEmptyIteration(scan)) return false;
        mark = {scan, Cursor_, JumpMarks_};
        JumpMarks_ = &mark;
        markPlaced = true;
        break;
      default:
        if (IsGroupBoundary(op)) return MatchGroupBoundary(scan, next);
        if (!MatchSingle(scan)) return false;
    }
    scan = next;
  }
}

// The compare stopped at `stop` in the operand text and at `at` in the input:
// the literal passes when its whole text was compared.
[[gnu::always_inline]] inline bool TMatcher::PassLiteral(const uint8_t* node, const uint8_t* stop, const uint8_t* at) {
  CountCompared(at - Cursor_);
  if (*stop != 0) return false;
  if (stop == Operand(node) && *Cursor_ != 0) return false;  // empty text: only at the end
  Cursor_ = at;
  return true;
}

// The nodes that match at most one step and never need to remember an alternative.
[[gnu::always_inline]] inline bool TMatcher::MatchSingle(const uint8_t* node) {
  const uint8_t c = *Cursor_;
  const uint8_t* operand = Operand(node);
  switch (*node) {
    case opInputStart: return Cursor_ == TextBegin_;
    case opInputEnd: return c == 0;
    case opAnyChar:
      if (c == 0) return false;
      break;
    case opAnyCharInLine:
      if (c == 0 || Settings_.SeparatorSet.test(c) || (c == Settings_.PairHead && Cursor_[1] == Settings_.PairTail))
        return false;
      break;
    case opDigit:
      if (!IsDigit(c)) return false;
      break;
    case opNonDigit:
      if (c == 0 || IsDigit(c)) return false;
      break;
    case opSmallSet:
      if (c == 0 || !InSmallSet(operand, c)) return false;
      break;
    case opNotSmallSet:
      if (c == 0 || InSmallSet(operand, c)) return false;
      break;
    case opBitSet:
      if (c == 0 || !InBitSet(operand, c)) return false;
      break;
    case opLiteral: {
      // The copy ends in NUL and the text holds none, so a mismatch stops at the end.
      const uint8_t* at = Cursor_;
      for (; *operand != 0 && *at == *operand; ++operand, ++at) {
      }
      return PassLiteral(node, operand, at);
    }
    case opLiteralNoCase: {
      // Held in a register: the swapper's calls would otherwise reload it through the settings.
      const TCaseSwapper swapCase = Settings_.CaseSwapper;
      const uint8_t* at = Cursor_;
      for (; *operand != 0 && (*at == *operand || (*at != 0 && *at == swapCase(*operand))); ++operand, ++at) {
      }
      return PassLiteral(node, operand, at);
    }
    case opEmpty:
    case opNoOp: return true;
    case opLineStart: return MatchLineStart();
    case opLineEnd: return MatchLineEnd();
    case opWordBoundary: return AtWordBoundary();
    case opNotWordBoundary: return !AtWordBoundary();
    case opBackRef:
    case opBackRefNoCase: return MatchBackRef(node);
    default: Raise(ErrorCorruptedNode);
  }
  ++Cursor_;
  return true;
}

bool TMatcher::MatchLineStart() const {
  if (Cursor_ == TextBegin_) return true;
  const uint8_t before = Cursor_[-1];
  if (Cursor_ - TextBegin_ >= 2 && Cursor_[-2] == Settings_.PairHead && before == Settings_.PairTail) return true;
  if (before == Settings_.PairHead && *Cursor_ == Settings_.PairTail) return false;  // inside the pair
  return Settings_.SeparatorSet.test(before);
}

bool TMatcher::MatchLineEnd() const {
  const uint8_t c = *Cursor_;
  if (c == 0) return true;
  if (c == Settings_.PairHead && Cursor_[1] == Settings_.PairTail) return true;
  if (c == Settings_.PairTail && Cursor_ != TextBegin_ && Cursor_[-1] == Settings_.PairHead) return false;
  return Settings_.SeparatorSet.test(c);
}

bool TMatcher::IsWordChar(uint8_t c) const {
  return c != 0 && std::memchr(Settings_.WordCharacters.data(), c, Settings_.WordCharacters.size()) != nullptr;
}

bool TMatcher::AtWordBoundary() const {
  const bool before = Cursor_ != TextBegin_ && IsWordChar(Cursor_[-1]);
  return before != IsWordChar(*Cursor_);
}

int TMatcher::CapturedLength(int group) const {
  if (group <= 0 || group >= MaxGroups) Raise(ErrorCorruptedNode);
  const uint8_t* from = GroupStart_[group];
  const uint8_t* to = GroupEnd_[group];
  if (from == nullptr || to == nullptr || to <= from) return 0;
  return static_cast<int>(to - from);
}

bool TMatcher::MatchBackRef(const uint8_t* node) {
  const int group = Operand(node)[0];
  const int length = CapturedLength(group);
  if (GroupStart_[group] == nullptr || GroupEnd_[group] == nullptr) return false;
  if (TextEnd_ - Cursor_ < length) return false;
  const uint8_t* captured = GroupStart_[group];
  const bool noCase = *node == opBackRefNoCase;
  CountCompared(length);
  const TCaseSwapper swapCase = Settings_.CaseSwapper;
  for (int i = 0; i < length; ++i) {
    const uint8_t want = captured[i];
    if (Cursor_[i] != want && !(noCase && Cursor_[i] == swapCase(want))) return false;
  }
  Cursor_ += length;
  return true;
}

// Near the depth bound every alternative is tried, so that the bound is met
// where trying them all would meet it.
inline const TChoiceDispatch* TMatcher::DispatchOf(const uint8_t* choice) const {
  if (Dispatches_ == nullptr) return nullptr;
  const TChoiceDispatch* dispatch = Dispatches_->At(choice - (ProgramFirst_ - FirstNodeOffset));
  return dispatch != nullptr && MatchDepth_ + dispatch->PrefixFrames() <= MaxMatchDepth ? dispatch : nullptr;
}

bool TMatcher::MatchChoice(const uint8_t* alternative) {
  const int64_t memo = MemoSlot(alternative);
  if (KnownToFail(memo)) return false;
  if (const TChoiceDispatch* dispatch = DispatchOf(alternative)) {
    if (MatchCandidates(*dispatch)) return true;
  } else {
    const uint8_t* start = Cursor_;
    do {
      if (MatchPrim(Operand(alternative))) return true;
      Cursor_ = start;
      alternative = NextNode(alternative);
    } while (alternative != nullptr && *CheckedNode(alternative) == opAlternative);
  }
  RememberFailure(memo);
  return false;
}

// The alternatives skipped would each have failed at their literal; the walk
// that skips them is charged as compared characters, each one tried as a step.
bool TMatcher::MatchCandidates(const TChoiceDispatch& dispatch) {
  const uint8_t* start = Cursor_;
  const TChoiceDispatch::TCandidates candidates = CandidatesAt(dispatch, start);
  const uint8_t* base = ProgramFirst_ - FirstNodeOffset;
  for (const int32_t* operand = candidates.Begin; operand != candidates.End; ++operand) {
    if (MatchPrim(base + *operand)) return true;
    Cursor_ = start;
  }
  return false;
}

bool TMatcher::MatchGroupBoundary(const uint8_t* node, const uint8_t* next) {
  const uint8_t op = *node;
  const int group = GroupOf(op);
  GroupsReached_ = std::max(GroupsReached_, group + 1);
  const uint8_t*& slot = IsGroupOpen(op) ? GroupStart_[group] : GroupEnd_[group];
  const uint8_t* old = slot;
  slot = Cursor_;
  if (MatchPrim(next)) return true;
  slot = old;
  return false;
}

bool TMatcher::RepeatsEmptyIteration(const uint8_t* jumpBack) const {
  for (const TJumpMark* mark = JumpMarks_; mark != nullptr; mark = mark->Previous)
    if (mark->Node == jumpBack) return mark->Cursor == Cursor_;
  return false;
}

TChoiceDispatch::TCandidates TMatcher::CandidatesAt(const TChoiceDispatch& dispatch, const uint8_t* at) {
  if (&dispatch != WalkedDispatch_ || at != WalkedAt_) {
    Walked_ = dispatch.At(at, Dispatches_->Fold());
    CountCompared(Walked_.Depth);
    WalkedDispatch_ = &dispatch;
    WalkedAt_ = at;
  }
  return Walked_;
}

}  // namespace regexpr
