// The step count of one execution, against its own bound and the shared budget.

#include <algorithm>

#include "regexpr/MatchLimits.h"
#include "regexpr/Matcher.h"
#include "regexpr/Raise.h"

namespace regexpr {

void TMatcher::StartStepCount() {
  StepLimit_ = MaxMatchSteps;
  StepLimitError_ = ErrorMatchTooLong;
  if (StepBudget_ != nullptr) LimitToStepBudget();
  MemoActive_ = Program_->MemoFit() == TMemoFit::Suitable && MemoAtOnce_ && StartMemo();
  MemoSaved_ = false;
  const bool memoSettled = MemoActive_ || Program_->MemoFit() == TMemoFit::Unsuitable;
  CheckpointAt_ = memoSettled ? StepLimit_ : std::min(StepLimit_, MemoThreshold_);
  StepsLeft_ = CheckpointAt_;
}

// An execution that needed the memo, or was spared work by it, suggests that
// the next one will be too, as the lines of one field are alike; one that was
// not keeps the next free of the memo's cost.
void TMatcher::EndStepCount() {
  MemoAtOnce_ = MemoSaved_ || MatchSteps() > MemoThreshold_;
  if (StepBudget_ != nullptr) StepBudget_->Spend(MatchSteps());
}

// The execution stops at its own bound or where the shared budget runs out,
// whichever comes first, and says which it was.
void TMatcher::LimitToStepBudget() {
  if (StepBudget_->Remaining() > MaxMatchSteps) return;
  StepLimit_ = std::max<int64_t>(StepBudget_->Remaining(), 0);
  StepLimitError_ = ErrorStepBudgetSpent;
}

void TMatcher::MoveCheckpoint(int64_t at) {
  StepsLeft_ = at - MatchSteps();
  CheckpointAt_ = at;
}

void TMatcher::PassStepCheckpoint() {
  if (MatchSteps() > StepLimit_) Raise(StepLimitError_);
  MoveCheckpoint(StepLimit_);
  if (Program_->AnalyseMemo() == TMemoFit::Suitable && !MemoActive_) MemoActive_ = StartMemo();
}

}  // namespace regexpr
