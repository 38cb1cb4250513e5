// The step count of one execution, against its own bound and the shared budget.

#include <algorithm>

#include "regexpr/MatchLimits.h"
#include "regexpr/RegExpr.h"

using namespace regexpr;

void TRegExpr::StartStepCount() {
  StepLimit_ = MaxMatchSteps;
  StepLimitError_ = ErrorMatchTooLong;
  if (StepBudget_ != nullptr) LimitToStepBudget();
  MemoActive_ = MemoState_ == TMemoState::Suitable && MemoAtOnce_ && StartMemo();
  MemoSaved_ = false;
  const bool memoSettled = MemoActive_ || MemoState_ == TMemoState::Unsuitable;
  CheckpointAt_ = memoSettled ? StepLimit_ : std::min(StepLimit_, MemoThreshold_);
  StepsLeft_ = CheckpointAt_;
}

// An execution that needed the memo, or was spared work by it, suggests that
// the next one will be too, as the lines of one field are alike; one that was
// not keeps the next free of the memo's cost.
void TRegExpr::EndStepCount() {
  MemoAtOnce_ = MemoSaved_ || MatchSteps() > MemoThreshold_;
  if (StepBudget_ != nullptr) StepBudget_->Remaining_ -= MatchSteps();
}

// The execution stops at its own bound or where the shared budget runs out,
// whichever comes first, and says which it was.
void TRegExpr::LimitToStepBudget() {
  if (StepBudget_->Remaining_ > MaxMatchSteps) return;
  StepLimit_ = std::max<int64_t>(StepBudget_->Remaining_, 0);
  StepLimitError_ = ErrorStepBudgetSpent;
}

void TRegExpr::MoveCheckpoint(int64_t at) {
  StepsLeft_ = at - MatchSteps();
  CheckpointAt_ = at;
}

void TRegExpr::PassStepCheckpoint() {
  if (MatchSteps() > StepLimit_) RaiseError(StepLimitError_);
  MoveCheckpoint(StepLimit_);
  if (MemoState_ == TMemoState::Unknown) MemoState_ = AnalyseMemo() ? TMemoState::Suitable : TMemoState::Unsuitable;
  if (MemoState_ == TMemoState::Suitable && !MemoActive_) MemoActive_ = StartMemo();
}
