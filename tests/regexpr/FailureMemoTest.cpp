// The failure memo: ambiguous repetitions without back-references finish with
// the right answer in work that grows with the input instead of exploding; the
// memo stays out of programs whose matching depends on the path; and nothing
// remembered in one execution leaks into the next.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "regexpr/RegExpr.h"
#include "tests/regexpr/support/MatchProbe.h"
#include "tests/regexpr/support/ProgramBuilder.h"
#include "tests/support/Cp1251Literal.h"

namespace {

using regexpr::opAlternative;
using regexpr::opEmpty;
using regexpr::opEnd;
using regexpr::opJumpBack;
using regexpr::opLiteral;

std::string Repeated(const std::string& unit, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += unit;
  return text;
}

struct TRun {
  bool Found = false;
  TSpan Span;
  int64_t Steps = 0;
  bool MemoUsed = false;
};

TRun Measured(const std::string& expression, const std::string& input) {
  TRegExpr regex;
  regex.SetExpression(expression);
  TStepBudget budget(INT64_MAX / 2);
  regex.SetStepBudget(&budget);
  TRun run;
  run.Found = regex.Exec(input);
  run.Span = {regex.GroupStart(0), regex.GroupEnd(0)};
  run.Steps = INT64_MAX / 2 - budget.Remaining();
  run.MemoUsed = TProgramProbe::MemoUsed(regex);
  return run;
}

TEST(FailureMemo, AmbiguousRepetitionsEndWithTheRightAnswer) {
  struct TCase {
    std::string Expression;
    std::string Unit;  // the input is 40 of them, then Tail
    std::string Tail;
    TSpan Span;  // with the tail
  };
  const TCase cases[] = {
      {"(a+)+b", "a", "b", {0, 41}},          {Cp("(а|а)*б"), Cp("а"), Cp("Б"), {0, 41}},
      {"(\\d|\\d|\\d)*x", "7", "x", {0, 41}}, {Cp("(а|б|в|[а-я])*ъъ"), Cp("б"), Cp("ЪЪ"), {0, 42}},
      {"(a|b|ab)*c", "ab", "c", {0, 81}},     {"(a+a*)*b", "a", "b", {0, 41}},
      {"x*(a?a?a?a?a)+y", "a", "y", {0, 41}},
  };
  for (const TCase& c : cases) {
    const std::string input = Repeated(c.Unit, 40);
    const TRun failing = Measured(c.Expression, input);
    EXPECT_FALSE(failing.Found) << c.Expression;
    EXPECT_TRUE(failing.MemoUsed) << c.Expression;
    const TRun matching = Measured(c.Expression, input + c.Tail);
    EXPECT_TRUE(matching.Found) << c.Expression;
    EXPECT_EQ(matching.Span, c.Span) << c.Expression;
    // Without the memo 80 units would take about 2^40 times the work of 40.
    const TRun longer = Measured(c.Expression, Repeated(c.Unit, 80));
    EXPECT_FALSE(longer.Found) << c.Expression;
    EXPECT_LT(longer.Steps, 5 * failing.Steps) << c.Expression;
  }
}

TEST(FailureMemo, OrdinaryExecutionsDoNotReachIt) {
  for (const std::string& expression : {Cp("иван"), Cp("^(иван|петр)ов"), Cp("[а-я]+ов$"), Cp("(ий|ая)\\s")}) {
    const TRun run = Measured(expression, Cp("Петрова Анна Сергеевна Иванова"));
    EXPECT_FALSE(run.MemoUsed) << expression;
  }
}

// A back-reference reads the captures of the path, a counted loop its
// counters: there a failure at a node and position says nothing about the next
// visit, so the memo stays out and the work stays exponential.
TEST(FailureMemo, KeptOutOfProgramsWhoseMatchingDependsOnThePath) {
  for (const std::string& expression : {std::string("(a|a)*\\1b"), std::string("(?-g)(a|a)*b"),
                                        std::string("((a|a){1,3})*b"), std::string("(a|aa){2,9}b")}) {
    TRegExpr regex;
    TProgramProbe::MemoFromFirstStep(regex);
    regex.SetExpression(expression);
    EXPECT_FALSE(regex.Exec(std::string(7, 'a'))) << expression;
    EXPECT_FALSE(TProgramProbe::MemoUsed(regex)) << expression;
    EXPECT_TRUE(regex.Exec(std::string(7, 'a') + "b")) << expression;
  }
  EXPECT_EQ(ExecError("(a|a)*\\1b", std::string(40, 'a')), 1017);
}

// A choice loop A whose body N is "x" or nothing, then "y"; built by hand,
// since the compiler refuses a repeated operand that can be empty. Where the
// body can be empty the refusal of an empty iteration depends on the path.
std::string ChoiceLoopProgram(bool bodyMayBeEmpty) {
  TProgramBuilder b;
  const int loop = b.Node(opAlternative);
  const int body = b.Node(opAlternative);
  const int x = b.Node(opLiteral);
  b.Text("x");
  const int orElse = b.Node(opAlternative);
  const int second = b.Node(bodyMayBeEmpty ? opEmpty : opLiteral);
  if (!bodyMayBeEmpty) b.Text("z");
  const int jumpBack = b.Node(opJumpBack);
  const int exit = b.Node(opAlternative);
  const int y = b.Node(opLiteral);
  b.Text("y");
  const int end = b.Node(opEnd);
  b.Link(loop, exit);
  b.Link(body, orElse);
  b.Link(x, jumpBack);
  b.Link(second, jumpBack);
  b.Link(jumpBack, loop);
  b.Link(y, end);
  return b.Bytes();
}

TEST(FailureMemo, KeptOutOfLoopsThatCanComeRoundEmpty) {
  for (const bool bodyMayBeEmpty : {true, false}) {
    TRegExpr regex;
    TProgramProbe::Install(regex, ChoiceLoopProgram(bodyMayBeEmpty));
    TProgramProbe::MemoFromFirstStep(regex);
    ASSERT_TRUE(regex.Exec("zxxy"));
    EXPECT_EQ(regex.GroupStart(0), bodyMayBeEmpty ? 1 : 0);
    EXPECT_EQ(regex.GroupEnd(0), 4);
    EXPECT_EQ(TProgramProbe::MemoUsed(regex), !bodyMayBeEmpty);
    EXPECT_FALSE(regex.Exec("xzxq"));
  }
}

TEST(FailureMemo, NothingCarriesIntoTheNextExecution) {
  TRegExpr regex;
  TProgramProbe::MemoFromFirstStep(regex);
  regex.SetExpression("(a|b|ab)*c");
  EXPECT_FALSE(regex.Exec("abababab"));
  EXPECT_TRUE(TProgramProbe::MemoUsed(regex));
  EXPECT_TRUE(regex.Exec("abababac"));
  EXPECT_EQ(regex.GroupEnd(0), 8);
  EXPECT_FALSE(regex.Exec("abababa"));
  EXPECT_TRUE(regex.Exec(std::string(300, 'b') + "c"));
  EXPECT_TRUE(regex.Exec("bc"));
  regex.SetExpression("(a|b|ab)*d");
  EXPECT_FALSE(regex.Exec("abababac"));
  EXPECT_TRUE(regex.Exec("abababad"));
}

}  // namespace
