#pragma once

#include <cstdint>

// Engine work that several executions draw on, such as the expressions of one
// search: each Exec charges the steps it took (MatchLimits.h), and one that
// finds the budget spent raises ErrorStepBudgetSpent.
class TStepBudget {
 public:
  explicit TStepBudget(int64_t steps) : Remaining_(steps) {}
  int64_t Remaining() const { return Remaining_; }
  void Spend(int64_t steps) { Remaining_ -= steps; }

 private:
  int64_t Remaining_;
};
