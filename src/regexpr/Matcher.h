#pragma once
// The state of executions: the input copy, the cursors, the match record, the
// loop counters, the step count and the failure memo. A matcher runs one
// program at a time over its input by backtracking.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "regexpr/CompiledProgram.h"
#include "regexpr/ErrorCodes.h"
#include "regexpr/Program.h"
#include "regexpr/Settings.h"
#include "regexpr/StepBudget.h"

namespace regexpr {

class TMatcher {
 public:
  // settings must outlive the matcher.
  explicit TMatcher(const TSettings& settings);
  TMatcher(const TMatcher&) = delete;
  TMatcher& operator=(const TMatcher&) = delete;

  void SetInput(std::string_view text);
  // Raises ErrorNoInput without an input and ErrorBadOffset for an offset below 1.
  bool ExecAt(const TProgram& program, int offset);  // 1-based
  void SetStepBudget(TStepBudget* budget) { StepBudget_ = budget; }
  int GroupStart(int n) const;  // 0-based offset into the input, -1 for none
  int GroupEnd(int n) const;
  // What earlier executions suggested about the memo does not carry over to another program.
  void ForgetProgram();

  // For tests: the memo considered from this many steps of an execution on,
  // and whether the last execution used it.
  void SetMemoThreshold(int64_t steps) { MemoThreshold_ = steps; }
  bool MemoUsed() const { return MemoActive_; }
  // For tests: every alternative of every choice tried, as without the dispatch.
  void SetChoiceDispatch(bool on) { DispatchOn_ = on; }

 private:
  const TSettings& Settings_;
  const TProgram* Program_ = nullptr;
  const uint8_t* ProgramFirst_ = nullptr;  // the first node and the end of the program in use
  const uint8_t* ProgramEnd_ = nullptr;
  const uint8_t* TextBegin_ = nullptr;
  const uint8_t* TextEnd_ = nullptr;
  // What every node visit touches, kept together.
  const uint8_t* Cursor_ = nullptr;
  int64_t StepsLeft_ = 0;  // before the next checkpoint (StepCount.cpp); below 0 once it is passed
  int MatchDepth_ = 0;     // nested MatchPrim calls
  // Each visit of a loop's jump-back on the current path, so that an iteration
  // that consumed nothing can be refused instead of repeating for ever.
  struct TJumpMark {
    const uint8_t* Node;
    const uint8_t* Cursor;
    const TJumpMark* Previous;
  };
  const TJumpMark* JumpMarks_ = nullptr;
  const TChoiceDispatches* Dispatches_ = nullptr;  // of the program in use, unless switched off
  bool DispatchOn_ = true;
  // The last walk of a dispatch: a choice has the same candidates whenever the
  // walk comes back to it at that position in one execution.
  const TChoiceDispatch* WalkedDispatch_ = nullptr;
  const uint8_t* WalkedAt_ = nullptr;
  TChoiceDispatch::TCandidates Walked_{};

  std::string InputCopy_;
  bool HasInput_ = false;
  std::array<const uint8_t*, MaxGroups> GroupStart_{};
  std::array<const uint8_t*, MaxGroups> GroupEnd_{};
  std::array<int32_t, MaxLoopLevel + 1> LoopCounts_{};  // [1..10]
  int32_t LoopLevel_ = 0;

  bool GroupsClear_ = true;
  int GroupsReached_ = MaxGroups;  // entries at or above it are clear
  void ClearGroups();
  void ResetMatchState();
  bool SearchFrom(const uint8_t* start);
  bool ContainsMustString(const uint8_t* from) const;
  bool TryMatchAt(const uint8_t* start);

  // ---- the walk over the nodes (Matcher.cpp, Repeat.cpp, Loop.cpp)
  class TMatchFrame;
  const uint8_t* CheckedNode(const uint8_t* node) const;
  bool MatchPrim(const uint8_t* node);
  bool MatchSingle(const uint8_t* node);
  bool PassLiteral(const uint8_t* node, const uint8_t* stop, const uint8_t* at);
  bool MatchLineStart() const;
  bool MatchLineEnd() const;
  bool IsWordChar(uint8_t c) const;
  bool AtWordBoundary() const;
  int CapturedLength(int group) const;
  bool MatchBackRef(const uint8_t* node);
  bool MatchChoice(const uint8_t* alternative);
  const TChoiceDispatch* DispatchOf(const uint8_t* choice) const;
  bool MatchCandidates(const TChoiceDispatch& dispatch);
  TChoiceDispatch::TCandidates CandidatesAt(const TChoiceDispatch& dispatch, const uint8_t* at);
  bool MayStartAt(const TChoiceDispatch* leading, const uint8_t* at);
  bool MatchGroupBoundary(const uint8_t* node, const uint8_t* next);
  bool RepeatsEmptyIteration(const uint8_t* jumpBack) const;
  bool MatchSimpleRepeat(const uint8_t* node, const uint8_t* next);
  bool TryRepeatAttempts(const uint8_t* node, const uint8_t* next);
  struct TLookAhead {
    bool Known;
    uint8_t Char;
    uint8_t Swapped;
  };
  bool AttemptAfterRepeat(const uint8_t* next, TLookAhead lookAhead);
  int32_t RegRepeat(const uint8_t* operand, int32_t max);
  int32_t RepeatBackRef(const uint8_t* operand, int32_t max);
  bool RepeatsCapture(const uint8_t* captured, int length, bool noCase) const;
  bool MatchLoopEntry(const uint8_t* next);
  bool MatchLoop(const uint8_t* node, const uint8_t* next);
  bool IterateLoop(const uint8_t* body, int32_t level, int32_t count);
  bool LeaveLoop(const uint8_t* next, int32_t level);
  using TLoopState = std::array<int32_t, MaxLoopLevel + 1>;

  // ---- guards against runaway matching: nesting of MatchPrim, and steps per
  // Exec (StepCount.cpp). Steps count down to the next checkpoint, where the
  // limit is enforced or the memo considered.
  int64_t CheckpointAt_ = 0;  // the step count of the next checkpoint
  int64_t StepLimit_ = 0;     // more steps raise StepLimitError_
  TErrorCode StepLimitError_ = NoError;
  TStepBudget* StepBudget_ = nullptr;
  int64_t MatchSteps() const { return CheckpointAt_ - StepsLeft_; }
  void StartStepCount();
  void LimitToStepBudget();
  void MoveCheckpoint(int64_t at);
  void EndStepCount();  // charges the budget
  void VisitNode() {
    if (--StepsLeft_ < 0) [[unlikely]]
      PassStepCheckpoint();
  }
  // Characters counted by a repetition's scan, and characters compared one by
  // one with a literal or a captured text, which cost several times as much.
  void CountScanned(int64_t count) { StepsLeft_ -= count >> 3; }
  void CountCompared(int64_t count) { StepsLeft_ -= count >> 1; }
  [[gnu::cold]] void PassStepCheckpoint();

  // ---- the failure memo (FailureMemo.cpp): where matching from a choice or a
  // simple repetition has failed at a position in this execution, so that the
  // next attempt there fails at once.
  int64_t MemoThreshold_;              // steps of one execution before the memo is considered
  bool MemoActive_ = false;            // in the current or last execution
  bool MemoSaved_ = false;             // a failure was found remembered in this execution
  bool MemoAtOnce_ = false;            // from the first step of the next execution
  const int32_t* MemoRows_ = nullptr;  // the program's, while the memo is active
  std::vector<uint32_t> MemoFailed_;   // row * stride + position: the execution that saw a failure
  uint32_t MemoExecution_ = 0;
  int64_t MemoStride_ = 0;
  bool StartMemo();
  int64_t MemoSlot(const uint8_t* node) const {
    if (!MemoActive_) return -1;
    const int32_t row = MemoRows_[static_cast<size_t>(node - ProgramFirst_) + FirstNodeOffset];
    return row < 0 ? -1 : row * MemoStride_ + (Cursor_ - TextBegin_);
  }
  bool KnownToFail(int64_t slot) {
    if (slot < 0 || MemoFailed_[static_cast<size_t>(slot)] != MemoExecution_) return false;
    MemoSaved_ = true;
    return true;
  }
  void RememberFailure(int64_t slot) {
    if (slot >= 0) MemoFailed_[static_cast<size_t>(slot)] = MemoExecution_;
  }
};

}  // namespace regexpr
