// Repetitions greedy and lazy, counted loops, back-references and inline modifiers.

#include <gtest/gtest.h>

#include <string>

#include "regexpr/RegExpr.h"
#include "tests/regexpr/support/MatchProbe.h"
#include "tests/support/Cp1251Literal.h"

namespace {

TEST(MatchSimpleRepeat, GreedyAndLazyReachTheSameOverallMatch) {
  EXPECT_EQ(FindSpan("a+b", "aaab"), (TSpan{0, 4}));
  EXPECT_EQ(FindSpan("a+?b", "aaab"), (TSpan{0, 4}));
  EXPECT_EQ(FindSpan("a+?", "aaa"), (TSpan{0, 1}));
  EXPECT_EQ(FindSpan("a+", "aaa"), (TSpan{0, 3}));
  EXPECT_EQ(FindSpan("a*?", "aaa"), (TSpan{0, 0}));
  EXPECT_EQ(FindSpan("(?-g)a+", "aaa"), (TSpan{0, 1}));
  EXPECT_EQ(FindSpan("(?-g)a+$", "aaa"), (TSpan{0, 3}));
}

TEST(MatchSimpleRepeat, CountedBounds) {
  EXPECT_FALSE(RegexMatches("^a{2,3}$", "a"));
  EXPECT_TRUE(RegexMatches("^a{2,3}$", "aa"));
  EXPECT_TRUE(RegexMatches("^a{2,3}$", "aaa"));
  EXPECT_FALSE(RegexMatches("^a{2,3}$", "aaaa"));
  EXPECT_EQ(FindSpan("a{2,}", "baaaa"), (TSpan{1, 5}));
  EXPECT_EQ(FindSpan("a{2,3}?", "aaaa"), (TSpan{0, 2}));
  EXPECT_TRUE(RegexMatches("^xa{0}y$", "xy"));
  EXPECT_TRUE(RegexMatches("a{,3}", "a{,3}"));
}

TEST(MatchSimpleRepeat, LookAheadLiteralAndBacktracking) {
  EXPECT_EQ(FindSpan("(?-i)a*ab", "aaab"), (TSpan{0, 4}));
  EXPECT_EQ(FindSpan("(?-i)a*?ab", "aaab"), (TSpan{0, 4}));
  EXPECT_EQ(FindSpan("(?-i)x.*y", "xayby"), (TSpan{0, 5}));
  EXPECT_EQ(FindSpan("(?-i)x.*?y", "xayby"), (TSpan{0, 3}));
  EXPECT_FALSE(RegexMatches("(?-i)x.*y", "xab"));
}

TEST(MatchSimpleRepeat, EverySimpleOperandKind) {
  EXPECT_EQ(FindSpan("\\d+", "ab123c"), (TSpan{2, 5}));
  EXPECT_EQ(FindSpan("\\D+", "12ab3"), (TSpan{2, 4}));
  EXPECT_EQ(FindSpan("[ab]+", "xbabx"), (TSpan{1, 4}));
  EXPECT_EQ(FindSpan("[^ab]+", "abxyab"), (TSpan{2, 4}));
  EXPECT_EQ(FindSpan("(?-i)[a-d]+", "xabcdex"), (TSpan{1, 5}));
  EXPECT_EQ(FindSpan(Cp("я+"), Cp("ёяЯяю")), (TSpan{1, 4}));
  EXPECT_EQ(FindSpan(Cp("(?-i)я+"), Cp("ЯяяЯ")), (TSpan{1, 3}));
  EXPECT_EQ(FindSpan(".{2}", "abc"), (TSpan{0, 2}));
  EXPECT_EQ(FindSpan(Cp("[а-я]+ов$"), Cp("Иван Петров")), (TSpan{5, 11}));
}

TEST(MatchChoiceRepeat, GroupsRepeatAsAWhole) {
  EXPECT_EQ(FindSpan("(ab)+", "xababa"), (TSpan{1, 5}));
  EXPECT_EQ(FindSpan("ab+", "xabbb"), (TSpan{1, 5}));
  EXPECT_EQ(FindSpan("(ab)*c", "ababc"), (TSpan{0, 5}));
  EXPECT_EQ(FindSpan("(a|b)*c", "xabbac"), (TSpan{1, 6}));
  EXPECT_EQ(FindSpan("(ab)?c", "abc"), (TSpan{0, 3}));
  EXPECT_EQ(FindSpan("(ab)??c", "abc"), (TSpan{0, 3}));
  EXPECT_EQ(FindSpan("^(a|ab)(c|bcd)(d*)", "abcd"), (TSpan{0, 4}));
}

TEST(MatchChoiceRepeat, FirstAlternativeWinsOverLongerOnes) {
  EXPECT_EQ(FindSpan("a|ab", "ab"), (TSpan{0, 1}));
  EXPECT_EQ(FindSpan("ab|a", "ab"), (TSpan{0, 2}));
  TRegExpr regex;
  regex.SetExpression("(a|ab)(c|b)");
  ASSERT_TRUE(regex.Exec("abc"));
  EXPECT_EQ(regex.GroupEnd(1), 1);
  EXPECT_EQ(regex.GroupStart(2), 1);
  EXPECT_EQ(regex.GroupEnd(0), 2);
}

TEST(MatchCountedLoop, BacktrackingFindsTheLoopAsItWas) {
  EXPECT_TRUE(RegexMatches("(a|ab){1}c", "abc"));
  EXPECT_TRUE(RegexMatches("^(a|ab){1,2}$", "abab"));
  EXPECT_TRUE(RegexMatches("^(a|ab){1,2}?$", "abab"));
  EXPECT_FALSE(RegexMatches("^(a|ab){1,2}$", "ababab"));
  EXPECT_EQ(FindSpan("(ab){2,3}", "abababab"), (TSpan{0, 6}));
  EXPECT_EQ(FindSpan("(ab){2,3}?", "abababab"), (TSpan{0, 4}));
  EXPECT_EQ(FindSpan("(ab)*?c", "ababc"), (TSpan{0, 5}));
  EXPECT_EQ(FindSpan("(ab)+?", "abab"), (TSpan{0, 2}));
}

TEST(MatchCountedLoop, NestedLoopsKeepTheirOwnCounts) {
  EXPECT_TRUE(RegexMatches("^((ab){2}c){2}$", "ababcababc"));
  EXPECT_FALSE(RegexMatches("^((ab){2}c){2}$", "ababcabc"));
  EXPECT_TRUE(RegexMatches("^((a|b){1,2}c){2,3}$", "abcbcac"));
}

std::string NestedLoops(int depth) {
  std::string expression = "a";
  for (int i = 0; i < depth; ++i) expression = "(" + expression + "){1,2}";
  return expression;
}

TEST(MatchCountedLoop, TenNestedLoopsRunAndAnEleventhIsError1014) {
  EXPECT_TRUE(RegexMatches(NestedLoops(10), "a"));
  EXPECT_EQ(ExecError(NestedLoops(11), "a"), 1014);
  EXPECT_EQ(ExecError(NestedLoops(11), "b"), 0);  // no start position, so no loop is entered
  try {
    RegexMatches(NestedLoops(11), "a");
    FAIL() << "no error raised";
  } catch (const ERegExpr& error) {
    EXPECT_STREQ(error.what(), "TRegExpr(exec): Loop Stack Exceeded");
    EXPECT_EQ(error.ErrorPosition, 0);
  }
}

TEST(MatchBackReference, RepeatsTheCapturedText) {
  EXPECT_EQ(FindSpan("(ab)\\1", "xababx"), (TSpan{1, 5}));
  EXPECT_FALSE(RegexMatches("(ab)\\1", "abba"));
  EXPECT_TRUE(RegexMatches(Cp("(я)\\1"), Cp("яЯ")));
  EXPECT_FALSE(RegexMatches(Cp("(?-i)(я)\\1"), Cp("яЯ")));
  EXPECT_TRUE(RegexMatches("(a)\\12", "aa2"));
}

TEST(MatchBackReference, AGroupOffThePathMakesItFail) {
  EXPECT_FALSE(RegexMatches("(a)|b\\1", "b"));
  EXPECT_FALSE(RegexMatches("\\1(a)", "aa"));
  EXPECT_TRUE(RegexMatches("\\1*(a)", "a"));  // no repetition of an unset group is still a match
}

TEST(MatchBackReference, RepeatedBackReferenceStepsByTheWholeCapture) {
  EXPECT_EQ(FindSpan("(ab)\\1*", "abababx"), (TSpan{0, 6}));
  EXPECT_EQ(FindSpan("(ab)\\1*?x", "abababx"), (TSpan{0, 7}));
  EXPECT_EQ(FindSpan("^(ab)\\1{1,2}$", "ababab"), (TSpan{0, 6}));
  EXPECT_FALSE(RegexMatches("^(ab)\\1{1,2}$", "ababa"));
  EXPECT_EQ(FindSpan("(ab)\\1+?", "ababab"), (TSpan{0, 4}));
}

TEST(MatchBackReference, EmptyCaptureCountsNoRepetition) {
  EXPECT_TRUE(RegexMatches("^(x?)\\1*y$", "y"));
  EXPECT_FALSE(RegexMatches("^(x?)\\1+y$", "y"));
  EXPECT_TRUE(RegexMatches("^(x?)\\1y$", "y"));
}

TEST(MatchInlineModifiers, ReachTheEndOfTheirGroupOnly) {
  EXPECT_TRUE(RegexMatches("(?-i)(a(?i)b|c)d", "aBd"));
  EXPECT_TRUE(RegexMatches("(?-i)(a(?i)b|c)d", "Cd"));
  EXPECT_FALSE(RegexMatches("(?-i)(a(?i)b|c)d", "ABd"));
  EXPECT_FALSE(RegexMatches("(?-i)(a(?i)b|c)d", "abD"));
  EXPECT_TRUE(RegexMatches("(?i-s-m)a.b", "A-B"));
  EXPECT_FALSE(RegexMatches("(?i-s-m)a.b", "A\nB"));
}

TEST(MatchInlineModifiers, ExtendedSyntaxDropsBlanksAndComments) {
  EXPECT_TRUE(RegexMatches("(?x)a b # note\nc", "abc"));
  EXPECT_FALSE(RegexMatches("(?x)a b # note\nc", "a bc"));
  EXPECT_TRUE(RegexMatches("(?x)a\\ b", "a b"));
  EXPECT_TRUE(RegexMatches("(?x)a[ ]b", "a b"));
}

}  // namespace
