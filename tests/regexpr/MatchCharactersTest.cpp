// Literals and case, sets and Russian ranges, class escapes and the dot.

#include <gtest/gtest.h>

#include "regexpr/RegExpr.h"
#include "tests/regexpr/support/MatchProbe.h"
#include "tests/support/Cp1251Literal.h"

namespace {

TEST(MatchLiterals, CyrillicFoldsBothWaysUnderTheDefaultModifiers) {
  EXPECT_TRUE(RegexMatches(Cp("иван"), Cp("Иванов")));
  EXPECT_TRUE(RegexMatches(Cp("иван"), Cp("ИВАН")));
  EXPECT_TRUE(RegexMatches(Cp("ИВАН"), Cp("иванов")));
  EXPECT_TRUE(RegexMatches(Cp("ёж"), Cp("ЁЖИК")));
  EXPECT_FALSE(RegexMatches(Cp("(?-i)иван"), Cp("Иванов")));
  EXPECT_FALSE(RegexMatches(Cp("(?-i)иван"), Cp("ИВАН")));
  EXPECT_TRUE(RegexMatches(Cp("(?-i)Иван"), Cp("Петров Иван")));
}

TEST(MatchLiterals, DigitsAndPunctuationHaveNoOtherCase) {
  EXPECT_TRUE(RegexMatches("5", "45"));
  EXPECT_FALSE(RegexMatches("5", "4%"));
  EXPECT_FALSE(RegexMatches("a-b", "A_B"));
  EXPECT_TRUE(RegexMatches("a-b", "A-B"));
}

TEST(MatchLiterals, MatchPositionIsLeftmost) {
  EXPECT_EQ(FindSpan("ab", "xxabab"), (TSpan{2, 4}));
  EXPECT_EQ(FindSpan("(?-i)ab", "ABab"), (TSpan{2, 4}));
  EXPECT_EQ(FindSpan(Cp("ов"), Cp("Петров-Сидоров")), (TSpan{4, 6}));
}

TEST(MatchLiterals, LiteralLongerThanTheRestFailsAtTheEnd) {
  EXPECT_FALSE(RegexMatches("(?-i)abcdef", "xxabc"));
  EXPECT_FALSE(RegexMatches("abcdef", "xxabc"));
  EXPECT_FALSE(RegexMatches("abc", "ab"));
}

TEST(MatchLiterals, EscapesDenoteTheirCharacters) {
  EXPECT_TRUE(RegexMatches("\\x41", "A"));
  EXPECT_TRUE(RegexMatches("\\x{41}", "a"));
  EXPECT_TRUE(RegexMatches("\\x{0041}", "A"));
  EXPECT_TRUE(RegexMatches("a\\.b", "a.b"));
  EXPECT_FALSE(RegexMatches("a\\.b", "axb"));
  EXPECT_TRUE(RegexMatches("\\t", "a\tb"));
  EXPECT_TRUE(RegexMatches("\\0", "10"));
}

TEST(MatchSets, RussianRangesHoldYo) {
  EXPECT_TRUE(RegexMatches(Cp("^[а-я]+$"), Cp("ёлка")));
  EXPECT_TRUE(RegexMatches(Cp("^[а-я]+$"), Cp("ЁЛКА")));
  EXPECT_TRUE(RegexMatches(Cp("(?-i)^[А-Я]+$"), Cp("ЁЛКА")));
  EXPECT_FALSE(RegexMatches(Cp("(?-i)^[А-Я]+$"), Cp("ёлка")));
  EXPECT_TRUE(RegexMatches(Cp("(?-i)^[а-Я]+$"), Cp("ЁёЯя")));
}

TEST(MatchSets, WithoutRussianRangesYoIsOutside) {
  EXPECT_FALSE(RegexMatches(Cp("(?-r)^[а-я]+$"), Cp("ёлка")));
  EXPECT_TRUE(RegexMatches(Cp("(?-r)^[а-я]+$"), Cp("ЕЛКА")));  // i still adds the capitals
  EXPECT_FALSE(RegexMatches(Cp("(?-r)(?-i)^[а-я]+$"), Cp("ЕЛКА")));
}

TEST(MatchSets, MembersAndNegation) {
  EXPECT_TRUE(RegexMatches("[]a]", "]"));
  EXPECT_FALSE(RegexMatches("[^]a]", "]a]A"));
  EXPECT_TRUE(RegexMatches("[^]a]", "]b"));
  EXPECT_TRUE(RegexMatches("^[a-]+$", "-a-"));
  EXPECT_TRUE(RegexMatches("^[a-c-e]+$", "abc-e"));
  EXPECT_FALSE(RegexMatches("[a-c-e]", "d"));
  EXPECT_TRUE(RegexMatches("^[\\d-z]+$", "0-9z"));
  EXPECT_TRUE(RegexMatches("(?-i)^[\\D]$", "D"));
  EXPECT_FALSE(RegexMatches("(?-i)[\\D]", "x"));
  EXPECT_TRUE(RegexMatches(Cp("^[я-я]$"), Cp("Я")));
  EXPECT_FALSE(RegexMatches(Cp("[я-я]"), Cp("ю")));
}

TEST(MatchSets, SmallAndLargeNegatedSetsNeverMatchTheEnd) {
  EXPECT_FALSE(RegexMatches("x[^a]", "x"));
  EXPECT_FALSE(RegexMatches("x[^abcd]", "x"));
  EXPECT_TRUE(RegexMatches("x[^abcd]", "xe"));
  EXPECT_FALSE(RegexMatches("(?-i)x[^abcd]", "xa"));
}

TEST(MatchClasses, WordAndSpaceListsAreLatinAndCaseExact) {
  EXPECT_FALSE(RegexMatches("\\w", Cp("дом")));
  EXPECT_TRUE(RegexMatches("\\W", Cp("дом")));
  EXPECT_TRUE(RegexMatches("^\\w+$", "Ab_9"));
  EXPECT_TRUE(RegexMatches("\\s", "a\fb"));
  EXPECT_FALSE(RegexMatches("\\s", "ab"));
  EXPECT_TRUE(RegexMatches("^\\S+$", Cp("дом")));
  EXPECT_TRUE(RegexMatches("^\\d{3}$", "123"));
  EXPECT_FALSE(RegexMatches("\\d", Cp("семь")));
  EXPECT_TRUE(RegexMatches("^\\D+$", Cp("семь")));
}

TEST(MatchDot, MatchesBreaksOnlyUnderSingleLine) {
  EXPECT_TRUE(RegexMatches("a.b", "a\nb"));
  EXPECT_TRUE(RegexMatches("a.b", "a\rb"));
  EXPECT_FALSE(RegexMatches("(?-s)a.b", "a\nb"));
  EXPECT_FALSE(RegexMatches("(?-s)a.b", "a\rb"));
  EXPECT_TRUE(RegexMatches("(?-s)a.b", "a-b"));
  EXPECT_FALSE(RegexMatches("(?-s)a.+", "a\r\n"));
  EXPECT_FALSE(RegexMatches("a.", "a"));
}

TEST(MatchDot, InputEndsAtItsFirstNul) {
  const std::string withNul("ab\0cd", 5);
  EXPECT_FALSE(RegexMatches("cd", withNul));
  EXPECT_TRUE(RegexMatches("b$", withNul));
  EXPECT_EQ(FindSpan(".+", withNul), (TSpan{0, 2}));
}

}  // namespace
