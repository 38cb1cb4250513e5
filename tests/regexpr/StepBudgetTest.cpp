// A step budget shared by executions: each charges what it took, errors
// included, and the one that finds too little left raises 1018 instead of
// taking more; the bound of each execution stays as it was.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "regexpr/MatchLimits.h"
#include "regexpr/RegExpr.h"
#include "tests/support/Cp1251Literal.h"

namespace {

using regexpr::ErrorMatchTooLong;
using regexpr::ErrorStepBudgetSpent;
using regexpr::MaxMatchSteps;

constexpr int64_t Plenty = INT64_MAX / 2;

// The steps that one execution of expression over input takes.
int64_t StepsOf(const std::string& expression, const std::string& input) {
  TRegExpr regex;
  regex.SetExpression(expression);
  TStepBudget budget(Plenty);
  regex.SetStepBudget(&budget);
  regex.Exec(input);
  return Plenty - budget.Remaining();
}

int ErrorWithin(TRegExpr& regex, const std::string& input) {
  try {
    regex.Exec(input);
  } catch (const ERegExpr& error) {
    return error.ErrorNumber;
  }
  return 0;
}

TEST(StepBudget, AnExecutionMayTakeExactlyWhatIsLeft) {
  const std::string expression = Cp("(а|б)*ов$");
  const std::string input = Cp("Иван Петрович Сидоров");
  const int64_t steps = StepsOf(expression, input);
  ASSERT_GT(steps, 10);
  EXPECT_EQ(StepsOf(expression, input), steps) << "the count is the same every time";

  TRegExpr regex;
  regex.SetExpression(expression);
  TStepBudget exact(steps);
  regex.SetStepBudget(&exact);
  EXPECT_TRUE(regex.Exec(input));
  EXPECT_EQ(exact.Remaining(), 0);
  EXPECT_EQ(ErrorWithin(regex, input), ErrorStepBudgetSpent);
  EXPECT_FALSE(regex.Exec("")) << "an execution that takes no step still answers";

  TStepBudget short_(steps - 1);
  regex.SetStepBudget(&short_);
  EXPECT_EQ(ErrorWithin(regex, input), ErrorStepBudgetSpent);
  EXPECT_LT(short_.Remaining(), 0) << "the failed execution is charged too";

  regex.SetStepBudget(nullptr);
  EXPECT_TRUE(regex.Exec(input));
}

// Two expressions take turns over one line each, as the criteria of a search
// do over a record, until the budget they share is spent.
class TTwoCriteria {
 public:
  explicit TTwoCriteria(TStepBudget& budget) {
    phone_.SetExpression("(\\d|\\d|\\d)*x");
    owner_.SetExpression(Cp("(а|б|в|[а-я])*ъъ"));
    phone_.SetStepBudget(&budget);
    owner_.SetStepBudget(&budget);
  }
  void TestOneLine() {
    phone_.Exec("8452123456");
    owner_.Exec(Cp("Павлова Ксения Андреевна"));
  }

 private:
  TRegExpr phone_;
  TRegExpr owner_;
};

TEST(StepBudget, SharedBySeveralExpressions) {
  TStepBudget plenty(Plenty);
  TTwoCriteria measured(plenty);
  measured.TestOneLine();
  const int64_t firstLine = Plenty - plenty.Remaining();
  measured.TestOneLine();
  const int64_t laterLine = Plenty - plenty.Remaining() - firstLine;
  ASSERT_GT(laterLine, 0);

  TStepBudget budget(firstLine + 3 * laterLine + laterLine / 2);
  TTwoCriteria criteria(budget);
  int lines = 0;
  try {
    for (;; ++lines) criteria.TestOneLine();
  } catch (const ERegExpr& error) {
    EXPECT_EQ(error.ErrorNumber, ErrorStepBudgetSpent);
    EXPECT_EQ(error.ErrorPosition, 0);
    EXPECT_EQ(error.what(), "TRegExpr(exec): " + Cp("Выражение требует слишком много вычислений, поиск прерван. "
                                                    "Упростите выражение"));
  }
  EXPECT_EQ(lines, 4);
}

TEST(StepBudget, TheBoundOfEachExecutionStillApplies) {
  const std::string runaway = "(a+)+\\1b";
  const std::string input(40, 'a');
  TRegExpr regex;
  regex.SetExpression(runaway);
  TStepBudget large(MaxMatchSteps * 10);
  regex.SetStepBudget(&large);
  EXPECT_EQ(ErrorWithin(regex, input), ErrorMatchTooLong) << "the execution's own bound comes first";
  EXPECT_EQ(large.Remaining(), MaxMatchSteps * 9 - 1);

  TStepBudget small(MaxMatchSteps / 2);
  regex.SetStepBudget(&small);
  EXPECT_EQ(ErrorWithin(regex, input), ErrorStepBudgetSpent) << "the budget comes first";
}

}  // namespace
