// The bounds on one execution: recursion depth and backtracking steps. Runs
// under the sanitizers in CI too, where stack frames are larger.

#include <gtest/gtest.h>

#include <string>

#include "regexpr/MatchLimits.h"
#include "regexpr/RegExpr.h"
#include "tests/regexpr/support/MatchProbe.h"
#include "tests/support/Cp1251Literal.h"

namespace {

using regexpr::ErrorMatchTooDeep;
using regexpr::ErrorMatchTooLong;

std::string Repeated(const std::string& unit, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += unit;
  return text;
}

TEST(ExecLimits, LongInputUnderAChoiceLoopStopsAtTheDepthBound) {
  const std::string input(200000, 'a');
  EXPECT_EQ(ExecError("(a|b)*c", input), ErrorMatchTooDeep);
  EXPECT_EQ(ExecError("(a|b)+c", input), ErrorMatchTooDeep);
  EXPECT_EQ(ExecError("(ab|a)*?c", input), ErrorMatchTooDeep);
  try {
    RegexMatches("(a|b)*c", input);
  } catch (const ERegExpr& error) {
    EXPECT_STREQ(error.what(), "TRegExpr(exec): Match Recursion Too Deep");
    EXPECT_EQ(error.ErrorPosition, 0);
  }
}

TEST(ExecLimits, SimpleRepetitionsNeedNoDepth) {
  const std::string input(200000, 'a');
  EXPECT_TRUE(RegexMatches("^a*$", input));
  EXPECT_TRUE(RegexMatches("^[ab]+?$", input));
  EXPECT_FALSE(RegexMatches("^a*b", input));
}

// A back-reference or a counted loop keeps the failure memo out, so these
// stay exponential.
TEST(ExecLimits, NestedAmbiguousRepetitionStopsAtTheStepBudget) {
  EXPECT_EQ(ExecError("(a+)+\\1b", std::string(40, 'a')), ErrorMatchTooLong);
  EXPECT_EQ(ExecError(Cp("(а|а)*\\1б"), Cp(Repeated("а", 40))), ErrorMatchTooLong);
  EXPECT_EQ(ExecError(Cp("(?-g)(а|а)*б"), Cp(Repeated("а", 40))), ErrorMatchTooLong);
  EXPECT_EQ(ExecError("((a|a){1,40})*b", std::string(40, 'a')), ErrorMatchTooLong);
  try {
    RegexMatches("(a+)+\\1b", std::string(40, 'a'));
    ADD_FAILURE() << "no error";
  } catch (const ERegExpr& error) {
    EXPECT_STREQ(error.what(), "TRegExpr(exec): Too Many Backtracking Steps");
    EXPECT_EQ(error.ErrorPosition, 0);
  }
}

// Found by fuzzing: lazy quantifiers (g clear) over a nested repetition, slow
// under the sanitizers but well inside the budget.
TEST(ExecLimits, LazyNestedRepetitionEndsWithinTheBudget) {
  TRegExpr regex;
  regex.SetModifier(TModifier::G, false);
  regex.SetExpression("(a+)+\\wb");
  EXPECT_FALSE(regex.Exec("aa\xFF){2aaaaaaaaaaaadaa(?i)aaa(?i)aaaaaaaaaaaaaaaa?da-aa"));
  EXPECT_TRUE(regex.Exec("aa\xFF){2aaaaaaaaaaaadaa(?i)aaab"));
}

TEST(ExecLimits, RequiredLiteralRejectsBeforeAnyBacktracking) {
  TRegExpr regex;
  regex.SetModifier(TModifier::I, false);
  regex.SetExpression("(a+)+b");
  EXPECT_FALSE(regex.Exec(std::string(40, 'a')));
}

TEST(ExecLimits, TheBudgetIsPerExec) {
  TRegExpr regex;
  regex.SetExpression("(a|b)*c");
  const std::string line(200, 'a');
  for (int i = 0; i < 30; ++i) EXPECT_FALSE(regex.Exec(line));
}

TEST(ExecLimits, OrdinaryExpressionsOverLongLinesStayWithinBothBounds) {
  const std::string latin = Repeated("ab", 127) + "a";
  const std::string russian = Cp(Repeated("иванов ", 36)).substr(0, 255);
  for (const std::string& expression : {std::string("(a|b)*c"), std::string("(((((a|b)))))*c"), std::string("^(a|b)+$"),
                                        std::string("(ab|a)*?c"), std::string("(\\w|\\s)*x"), std::string("a.*b.*c")}) {
    EXPECT_EQ(ExecError(expression, latin), 0) << expression;
  }
  for (const std::string& expression :
       {Cp("([а-я]|\\s)*ов$"), Cp("(\\s[а-я]+)*ич"), Cp("^(иван|петр)ов"), Cp("[а-я]+ов$"), Cp("(в|о|а)+q")}) {
    EXPECT_EQ(ExecError(expression, russian), 0) << expression.size();
  }
}

}  // namespace
