// The step count of one execution, against its own bound and the shared budget.

#include <algorithm>

#include "MatchLimits.h"
#include "RegExpr.h"

using namespace regexpr;

void TRegExpr::StartStepCount() {
  StepLimit_ = MaxMatchSteps;
  StepLimitError_ = ErrorMatchTooLong;
  if (StepBudget_ != nullptr) LimitToStepBudget();
  CheckpointAt_ = StepLimit_;
  StepsLeft_ = CheckpointAt_;
}

void TRegExpr::EndStepCount() {
  if (StepBudget_ != nullptr) StepBudget_->Remaining_ -= MatchSteps();
}

// The execution stops at its own bound or where the shared budget runs out,
// whichever comes first, and says which it was.
void TRegExpr::LimitToStepBudget() {
  if (StepBudget_->Remaining_ > MaxMatchSteps) return;
  StepLimit_ = std::max<int64_t>(StepBudget_->Remaining_, 0);
  StepLimitError_ = ErrorStepBudgetSpent;
}

void TRegExpr::PassStepCheckpoint() {
  if (MatchSteps() > StepLimit_) RaiseError(StepLimitError_);
}
