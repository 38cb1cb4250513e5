// Anchors, line breaks and word boundaries.

#include <gtest/gtest.h>

#include "regexpr/RegExpr.h"
#include "tests/regexpr/support/MatchProbe.h"
#include "tests/support/Cp1251Literal.h"

namespace {

TEST(MatchAnchors, TextStartAndEnd) {
  EXPECT_TRUE(RegexMatches("^8", "8123"));
  EXPECT_FALSE(RegexMatches("^8", "1823"));
  EXPECT_TRUE(RegexMatches("45$", "12345"));
  EXPECT_FALSE(RegexMatches("45$", "45123"));
  EXPECT_TRUE(RegexMatches("\\A12", "123"));
  EXPECT_TRUE(RegexMatches("(?m)23\\Z", "123"));
  EXPECT_FALSE(RegexMatches("(?m)12\\Z", "12\n3"));
}

TEST(MatchAnchors, WithoutMultiLineAnchorsIgnoreBreaks) {
  EXPECT_FALSE(RegexMatches("^y", "x\ny"));
  EXPECT_FALSE(RegexMatches("x$", "x\ny"));
}

TEST(MatchLineBreaks, LineStartAfterEveryKindOfBreak) {
  EXPECT_TRUE(RegexMatches("(?m)^y", "x\r\ny"));
  EXPECT_TRUE(RegexMatches("(?m)^y", "x\ry"));
  EXPECT_TRUE(RegexMatches("(?m)^y", "x\ny"));
  EXPECT_FALSE(RegexMatches("(?m)^y", "xy"));
}

TEST(MatchLineBreaks, NoLineStartOrEndInsideTheCrLfPair) {
  EXPECT_EQ(FindSpan("(?m)^\n", "x\r\n"), (TSpan{}));
  EXPECT_EQ(FindSpan("(?m)$\n", "x\r\n"), (TSpan{}));
  EXPECT_EQ(FindSpan("(?m)x$", "x\r\ny"), (TSpan{0, 1}));
  EXPECT_EQ(FindSpan("(?m)\r$", "x\r\ny"), (TSpan{}));
  EXPECT_EQ(FindSpan("(?m)\n$", "x\n\ny"), (TSpan{1, 2}));  // a lone LF before another break
  EXPECT_EQ(FindSpan("(?m)\r^", "x\r\ry"), (TSpan{1, 2}));
}

TEST(MatchLineBreaks, LineEndAtTheEndAndBeforeLoneBreaks) {
  EXPECT_TRUE(RegexMatches("(?m)y$", "x\ny"));
  EXPECT_TRUE(RegexMatches("(?m)x$", "x\ry"));
  EXPECT_TRUE(RegexMatches("(?m)x$", "x\ny"));
  EXPECT_FALSE(RegexMatches("(?m)x$", "xy"));
}

TEST(MatchWordBoundaries, LatinWords) {
  EXPECT_TRUE(RegexMatches("\\bcat\\b", "a cat here"));
  EXPECT_FALSE(RegexMatches("\\bcat\\b", "concatenate"));
  EXPECT_TRUE(RegexMatches("\\Bcat\\B", "concatenate"));
  EXPECT_EQ(FindSpan("\\b\\w", "  ab"), (TSpan{2, 3}));
  EXPECT_TRUE(RegexMatches("x\\b", "x"));
}

TEST(MatchWordBoundaries, CyrillicLettersAreNotWordCharacters) {
  EXPECT_FALSE(RegexMatches(Cp("\\bдом\\b"), Cp("дом")));
  EXPECT_FALSE(RegexMatches(Cp("\\bдом"), Cp("большой дом")));
  EXPECT_TRUE(RegexMatches(Cp("\\Bдом\\B"), Cp("большой дом")));
  EXPECT_TRUE(RegexMatches(Cp("\\bдом"), Cp("xдом")));  // after a Latin letter there is one
}

TEST(MatchWordBoundaries, ABoundaryAloneMatchesNothing) {
  EXPECT_FALSE(RegexMatches("\\b", "word"));
  EXPECT_FALSE(RegexMatches("$", "word"));
  EXPECT_FALSE(RegexMatches("$", ""));
}

}  // namespace
