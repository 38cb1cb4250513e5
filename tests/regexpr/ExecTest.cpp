// The execution driver: start positions, the input copy, the match record,
// program reuse and the errors that pass through RegexMatches.

#include <gtest/gtest.h>

#include <string>

#include "regexpr/RegExpr.h"
#include "tests/regexpr/support/MatchProbe.h"
#include "tests/support/Cp1251Literal.h"

namespace {

TEST(ExecEmptyInput, OnlyAnAnchoredEmptyMatchSucceeds) {
  EXPECT_TRUE(RegexMatches("^", ""));
  EXPECT_TRUE(RegexMatches("^$", ""));
  EXPECT_TRUE(RegexMatches("\\A", ""));
  EXPECT_FALSE(RegexMatches("a*", ""));
  EXPECT_FALSE(RegexMatches("$", ""));
  EXPECT_FALSE(RegexMatches("^a*|^b", ""));
  EXPECT_FALSE(RegexMatches("^a", ""));
}

// Found by fuzzing: a default-constructed view has no data pointer at all.
TEST(ExecEmptyInput, ViewWithoutStorage) {
  EXPECT_TRUE(RegexMatches("^$", std::string_view()));
  EXPECT_FALSE(RegexMatches("a*", std::string_view()));
}

TEST(ExecEmptyInput, StillCompilesAndRaises) {
  EXPECT_EQ(ExecError("(a", ""), 103);
  EXPECT_EQ(ExecError("a)", ""), 104);
  EXPECT_EQ(ExecError("[ab", ""), 113);
}

TEST(ExecStartPositions, EmptyMatchesOnlyWhereANonEmptyOneCouldBegin) {
  EXPECT_EQ(FindSpan("a*", "ba"), (TSpan{1, 2}));
  EXPECT_EQ(FindSpan("a*", "b"), (TSpan{}));
  EXPECT_EQ(FindSpan("^$", "x"), (TSpan{}));
  EXPECT_EQ(FindSpan("ab|c*", "ax"), (TSpan{0, 0}));  // "a" may begin a match, the empty one wins there
  EXPECT_EQ(FindSpan("x?$", "abx"), (TSpan{2, 3}));
}

TEST(ExecStartPositions, AnchoredEmptyMatchesBeforeAnyFirstCharacter) {
  EXPECT_EQ(FindSpan("^a*", "b"), (TSpan{0, 0}));
  EXPECT_EQ(FindSpan("^(a|b)?", "c"), (TSpan{0, 0}));
  EXPECT_EQ(FindSpan("^x{0,2}y??", "z"), (TSpan{0, 0}));
  EXPECT_EQ(FindSpan("^(?i)", "z"), (TSpan{0, 0}));
  EXPECT_EQ(FindSpan("^(x)\\1*", "xy"), (TSpan{0, 1}));
  EXPECT_EQ(FindSpan("^\\b", "x"), (TSpan{0, 0}));
  EXPECT_EQ(FindSpan("^\\b", " x"), (TSpan{}));
  EXPECT_EQ(FindSpan("^(ab){0,2}", "x"), (TSpan{0, 0}));
  EXPECT_EQ(FindSpan("^(ab)*", "x"), (TSpan{0, 0}));
  EXPECT_EQ(FindSpan("^(ab)+", "x"), (TSpan{}));
  EXPECT_EQ(FindSpan("^a+", "b"), (TSpan{}));
  EXPECT_EQ(FindSpan("^(ab|cd)", "xab"), (TSpan{}));
  EXPECT_EQ(FindSpan("^(ab|cd)", "cdx"), (TSpan{0, 2}));
}

TEST(ExecStartPositions, RequiredCharacterAndLiteral) {
  EXPECT_EQ(FindSpan("(?-i)abc", "xxabxabc"), (TSpan{5, 8}));
  EXPECT_EQ(FindSpan("(?-i)abc", "xxABC"), (TSpan{}));
  EXPECT_EQ(FindSpan("(?-i)x*bcd", "zbcdx"), (TSpan{1, 4}));
  EXPECT_EQ(FindSpan("(?-i)x*bcd", "xxbcx"), (TSpan{}));
  EXPECT_EQ(FindSpan("(?-i)x*bcd", "xxbcd"), (TSpan{0, 5}));
  EXPECT_EQ(FindSpan("^abc", "abcabc"), (TSpan{0, 3}));
  EXPECT_EQ(FindSpan("^abc", "xabc"), (TSpan{}));
}

TEST(ExecMatchRecord, GroupsOfTheSuccessfulPathOnly) {
  TRegExpr regex;
  regex.SetExpression("(a)|(b)(c)?");
  ASSERT_TRUE(regex.Exec("xbd"));
  EXPECT_EQ(regex.GroupStart(0), 1);
  EXPECT_EQ(regex.GroupEnd(0), 2);
  EXPECT_EQ(regex.GroupStart(1), -1);
  EXPECT_EQ(regex.GroupStart(2), 1);
  EXPECT_EQ(regex.GroupEnd(2), 2);
  EXPECT_EQ(regex.GroupStart(3), -1);
  EXPECT_EQ(regex.GroupStart(-1), -1);
  EXPECT_EQ(regex.GroupEnd(15), -1);
}

TEST(ExecMatchRecord, ARepeatedGroupKeepsItsLastIteration) {
  TRegExpr regex;
  regex.SetExpression("(\\d)+");
  ASSERT_TRUE(regex.Exec("a123"));
  EXPECT_EQ(regex.GroupStart(1), 3);
  EXPECT_EQ(regex.GroupEnd(1), 4);
}

TEST(ExecMatchRecord, AFailedExecClearsEverything) {
  TRegExpr regex;
  regex.SetExpression("(a)(b)");
  ASSERT_TRUE(regex.Exec("ab"));
  EXPECT_FALSE(regex.Exec("ax"));
  for (int n = 0; n < 15; ++n) {
    EXPECT_EQ(regex.GroupStart(n), -1) << n;
    EXPECT_EQ(regex.GroupEnd(n), -1) << n;
  }
}

TEST(ExecAt, OffsetsAreOneBased) {
  TRegExpr regex;
  regex.SetExpression("ab");
  regex.SetInputString("abxab");
  EXPECT_TRUE(regex.ExecAt(2));
  EXPECT_EQ(regex.GroupStart(0), 3);
  EXPECT_TRUE(regex.ExecAt(1));
  EXPECT_EQ(regex.GroupStart(0), 0);
  EXPECT_FALSE(regex.ExecAt(5));
  EXPECT_FALSE(regex.ExecAt(7));
}

TEST(ExecAt, AnotherOffsetSeesNoCaptureOfTheEarlierMatch) {
  TRegExpr regex;
  regex.SetExpression("(b)c|\\1");
  regex.SetInputString("bcb");
  ASSERT_TRUE(regex.ExecAt(1));
  EXPECT_EQ(regex.GroupEnd(1), 1);
  EXPECT_FALSE(regex.ExecAt(2));
}

// Found by fuzzing: a search refused before any attempt kept the earlier match.
TEST(ExecAt, AFalseAnswerLeavesNoEarlierMatchBehind) {
  TRegExpr regex;
  regex.SetModifier(TModifier::I, false);
  regex.SetExpression("x*(a)b");
  regex.SetInputString("abx");
  ASSERT_TRUE(regex.ExecAt(1));
  ASSERT_EQ(regex.MustString(), "b");
  for (int offset : {3, 5}) {
    ASSERT_TRUE(regex.ExecAt(1));
    EXPECT_FALSE(regex.ExecAt(offset)) << offset;
    for (int n = 0; n < 2; ++n) {
      EXPECT_EQ(regex.GroupStart(n), -1) << offset << " " << n;
      EXPECT_EQ(regex.GroupEnd(n), -1) << offset << " " << n;
    }
  }
}

TEST(ExecAt, OffsetPastTheEndIsFalseAndBelowOneIsAnError) {
  TRegExpr regex;
  regex.SetExpression("^");
  regex.SetInputString("ab");
  EXPECT_FALSE(regex.ExecAt(4));
  try {
    regex.ExecAt(0);
    FAIL() << "no error raised";
  } catch (const ERegExpr& error) {
    EXPECT_EQ(error.ErrorNumber, 1006);
    EXPECT_STREQ(error.what(), "TRegExpr(exec): Offset Must Be Greater Then 0");
  }
}

TEST(ExecAt, WithoutAnInputStringIsAnError) {
  TRegExpr regex;
  regex.SetExpression("a");
  try {
    regex.ExecAt(1);
    FAIL() << "no error raised";
  } catch (const ERegExpr& error) {
    EXPECT_EQ(error.ErrorNumber, 1005);
    EXPECT_STREQ(error.what(), "TRegExpr(exec): No Inpit String Specified");
  }
}

TEST(ExecProgram, KeptWhileExpressionAndModifiersStay) {
  TRegExpr regex;
  regex.SetExpression(Cp("иван"));
  ASSERT_TRUE(regex.Exec(Cp("ИВАН")));
  const std::string first(regex.Program());
  const char* const where = regex.Program().data();
  regex.SetExpression(Cp("иван"));
  EXPECT_TRUE(regex.Exec(Cp("Иван")));
  EXPECT_EQ(regex.Program().data(), where);
  regex.SetModifier(TModifier::I, false);
  EXPECT_FALSE(regex.Exec(Cp("ИВАН")));
  EXPECT_NE(std::string(regex.Program()), first);
  EXPECT_TRUE(regex.Exec(Cp("иван")));
}

TEST(ExecProgram, EmptyExpressionIsNotAssigned) {
  TRegExpr regex;
  regex.SetExpression("a");
  ASSERT_TRUE(regex.Exec("a"));
  regex.SetExpression("");
  try {
    regex.Exec("a");
    FAIL() << "no error raised";
  } catch (const ERegExpr& error) {
    EXPECT_EQ(error.ErrorNumber, 1003);
    EXPECT_EQ(error.ErrorPosition, 0);
    EXPECT_STREQ(error.what(), "TRegExpr(exec): Not Assigned Expression Property");
  }
  EXPECT_EQ(ExecError("", "anything"), 1003);
}

TEST(RegexMatchesErrors, CompileErrorsPassThroughWithTheirPosition) {
  try {
    RegexMatches("a)", "a");
    FAIL() << "no error raised";
  } catch (const ERegExpr& error) {
    EXPECT_EQ(error.ErrorNumber, 104);
    EXPECT_EQ(error.ErrorPosition, 1);
    EXPECT_STREQ(error.what(), "TRegExpr(comp): ParseReg Unmatched () (pos 1)");
  }
  EXPECT_EQ(ExecError("a**", "a"), 107);
  EXPECT_EQ(ExecError("(a*)+", "a"), 106);
}

TEST(RegexMatchesErrors, AFailedCompilationRaisesAgainOnTheNextExec) {
  TRegExpr regex;
  regex.SetExpression("(a");
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      regex.Exec("a");
      FAIL() << "no error raised";
    } catch (const ERegExpr& error) {
      EXPECT_EQ(error.ErrorNumber, 103);
    }
  }
  regex.SetExpression("a");
  EXPECT_TRUE(regex.Exec("a"));
}

TEST(RegexMatchesUse, TypicalDirectoryQueries) {
  EXPECT_TRUE(RegexMatches(Cp("^(иван|петр)ов"), Cp("Петрова Анна Сергеевна")));
  EXPECT_FALSE(RegexMatches(Cp("^(иван|петр)ов"), Cp("Сидоров Пётр")));
  EXPECT_TRUE(RegexMatches("^\\d{3}", "8452123456"));
  EXPECT_FALSE(RegexMatches("^\\d{3}", "12-34"));
  EXPECT_TRUE(RegexMatches(Cp("[а-я]+ов$"), Cp("ООО Иванов")));
}

}  // namespace
