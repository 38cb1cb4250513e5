#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "regexpr/RegExpr.h"

namespace {

struct TCompiled {
  std::string bytes;
  std::string dump;
};

TCompiled Compile(std::string_view expression, bool caseInsensitive = false) {
  TRegExpr r;
  r.SetModifier(TModifier::I, caseInsensitive);
  r.SetExpression(expression);
  EXPECT_TRUE(r.EnsureProgram()) << expression;
  return {std::string(r.Program()), r.Dump()};
}

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

TEST(CompileProgram, WorkedExamplesAreByteExact) {
  EXPECT_EQ(Compile("a").bytes, Bytes({0xD8, 6, 12, 0, 0, 0, 8, 7, 0, 0, 0, 'a', 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Compile("a*").bytes, Bytes({0xD8, 6, 17, 0, 0, 0, 10, 12, 0, 0, 0, 8, 0, 0, 0, 0, 'a', 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Compile("a|b").bytes, Bytes({0xD8, 6, 12, 0, 0, 0, 8, 19, 0,   0, 0, 'a', 0, 6, 12,
                                         0,    0, 0,  8, 7, 0, 0, 0,  'b', 0, 0, 0,   0, 0, 0}));
  EXPECT_EQ(Compile("(a)").bytes, Bytes({0xD8, 6, 27, 0, 0,   0, 40, 5, 0, 0, 0, 6, 12, 0, 0, 0, 8,
                                         7,    0, 0,  0, 'a', 0, 55, 5, 0, 0, 0, 0, 0,  0, 0, 0}));
}

TEST(CompileProgram, CaseInsensitiveLiteralsUseTheNoCaseOpcode) {
  EXPECT_EQ(Compile("a", true).bytes, Bytes({0xD8, 6, 12, 0, 0, 0, 20, 7, 0, 0, 0, 'a', 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Compile("a*", true).bytes,
            Bytes({0xD8, 6, 17, 0, 0, 0, 10, 12, 0, 0, 0, 20, 0, 0, 0, 0, 'a', 0, 0, 0, 0, 0, 0}));
}

TEST(CompileProgram, SmallSetsHoldThreeAscendingBytesPaddedWithTheHighest) {
  EXPECT_EQ(Compile("[cba]").bytes.substr(6), Bytes({25, 8, 0, 0, 0, 'a', 'b', 'c', 0, 0, 0, 0, 0}));
  EXPECT_EQ(Compile("[ab]").bytes.substr(6), Bytes({25, 8, 0, 0, 0, 'a', 'b', 'b', 0, 0, 0, 0, 0}));
  EXPECT_EQ(Compile("[^a]").bytes.substr(6), Bytes({26, 8, 0, 0, 0, 'a', 'a', 'a', 0, 0, 0, 0, 0}));
  EXPECT_EQ(Compile("[a]", true).bytes.substr(6), Bytes({25, 8, 0, 0, 0, 'A', 'a', 'a', 0, 0, 0, 0, 0}));
  // Code 0 is never a member, so this set has none at all.
  EXPECT_EQ(Compile("[\\x00]").bytes.substr(6), Bytes({25, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(CompileProgram, LargeSetsBecomeBitMapsAndNegationTakesTheComplement) {
  std::string positive = Compile("[abcd]").bytes;
  ASSERT_EQ(positive.size(), 48u);
  EXPECT_EQ(positive[6], 27);
  EXPECT_EQ(positive.substr(11, 32), std::string(12, '\0') + "\x1E" + std::string(19, '\0'));
  std::string negative = Compile("[^abcd]").bytes;
  ASSERT_EQ(negative.size(), 48u);
  EXPECT_EQ(negative[6], 27);
  EXPECT_EQ(negative.substr(11, 32), std::string(12, '\xFF') + "\xE1" + std::string(19, '\xFF'));
  EXPECT_EQ(Compile("[abc]", true).dump, "1: opAlternative -> 43\n6: opBitSet -> 43 [A-Ca-c]\n43: opEnd\n");
}

TEST(CompileProgram, ClassEscapesAreCaseSensitiveSets) {
  EXPECT_EQ(Compile("\\w", true).dump, "1: opAlternative -> 43\n6: opBitSet -> 43 [0-9A-Z_a-z]\n43: opEnd\n");
  EXPECT_EQ(Compile("\\s", true).dump,
            "1: opAlternative -> 43\n6: opBitSet -> 43 [\\x09\\x0A\\x0C\\x0D ]\n43: opEnd\n");
  EXPECT_EQ(Compile("\\S").dump,
            "1: opAlternative -> 43\n6: opBitSet -> 43 [\\x00-\\x08\\x0B\\x0E-\\x1F!-\\xFF]\n43: opEnd\n");
  EXPECT_EQ(Compile("\\W").dump, "1: opAlternative -> 43\n6: opBitSet -> 43 [\\x00-/:-@[-^`{-\\xFF]\n43: opEnd\n");
}

TEST(CompileProgram, LiteralRunSplitsItsLastCharacterOffBeforeAQuantifier) {
  EXPECT_EQ(Compile("abc*").dump,
            "1: opAlternative -> 26\n"
            "6: opLiteral -> 14 \"ab\"\n"
            "14: opStar -> 26\n"
            "19: opLiteral \"c\"\n"
            "26: opEnd\n");
  EXPECT_EQ(Compile("ab+c").dump,
            "1: opAlternative -> 32\n"
            "6: opLiteral -> 13 \"a\"\n"
            "13: opPlus -> 25\n"
            "18: opLiteral \"b\"\n"
            "25: opLiteral -> 32 \"c\"\n"
            "32: opEnd\n");
}

TEST(CompileProgram, GreedyStarOverAGroupBuildsTheLoopOfAlternatives) {
  EXPECT_EQ(Compile("(ab)*").dump,
            "1: opAlternative -> 49\n"
            "6: opAlternative -> 39\n"
            "11: opGroupOpen -> 16 1\n"
            "16: opAlternative -> 29\n"
            "21: opLiteral -> 29 \"ab\"\n"
            "29: opGroupClose -> 34 1\n"
            "34: opJumpBack -> 6\n"
            "39: opAlternative -> 44\n"
            "44: opEmpty -> 49\n"
            "49: opEnd\n");
}

TEST(CompileProgram, GreedyPlusOverAGroupJumpsBackToTheAtom) {
  EXPECT_EQ(Compile("(ab)+c").dump,
            "1: opAlternative -> 56\n"
            "6: opGroupOpen -> 11 1\n"
            "11: opAlternative -> 24\n"
            "16: opLiteral -> 24 \"ab\"\n"
            "24: opGroupClose -> 29 1\n"
            "29: opAlternative -> 39\n"
            "34: opJumpBack -> 6\n"
            "39: opAlternative -> 44\n"
            "44: opEmpty -> 49\n"
            "49: opLiteral -> 56 \"c\"\n"
            "56: opEnd\n");
}

TEST(CompileProgram, CountedLoopsOverGroups) {
  const std::string body =
      "1: opAlternative -> 51\n"
      "6: opLoopEntry -> 34\n"
      "11: opGroupOpen -> 16 1\n"
      "16: opAlternative -> 29\n"
      "21: opLiteral -> 29 \"ab\"\n"
      "29: opGroupClose -> 34 1\n";
  EXPECT_EQ(Compile("(ab)*?").dump, body + "34: opLoopLazy -> 51 {0,2147483646} body 11\n51: opEnd\n");
  EXPECT_EQ(Compile("(ab){2,5}").dump, body + "34: opLoop -> 51 {2,5} body 11\n51: opEnd\n");
  EXPECT_EQ(Compile("(ab){2,5}?").dump, body + "34: opLoopLazy -> 51 {2,5} body 11\n51: opEnd\n");
  EXPECT_EQ(Compile("(ab)+?").dump, body + "34: opLoopLazy -> 51 {1,2147483646} body 11\n51: opEnd\n");
  EXPECT_EQ(Compile("(ab)??").dump, body + "34: opLoopLazy -> 51 {0,1} body 11\n51: opEnd\n");
  EXPECT_EQ(Compile("(ab){3,}").dump, body + "34: opLoop -> 51 {3,2147483646} body 11\n51: opEnd\n");
}

TEST(CompileProgram, CountedLoopBodyOffsetIsStoredRelativeToTheLoopNode) {
  std::string bytes = Compile("(ab){2,5}").bytes;
  ASSERT_EQ(bytes.size(), 56u);
  EXPECT_EQ(bytes.substr(34, 17), Bytes({24, 17, 0, 0, 0, 2, 0, 0, 0, 5, 0, 0, 0, 0xE9, 0xFF, 0xFF, 0xFF}));
}

TEST(CompileProgram, SingleCharacterRepetitions) {
  const std::string tail = "19: opLiteral \"a\"\n26: opEnd\n";
  EXPECT_EQ(Compile("a{2,5}").dump, "1: opAlternative -> 26\n6: opRepeat -> 26 {2,5}\n" + tail);
  EXPECT_EQ(Compile("a{2,5}?").dump, "1: opAlternative -> 26\n6: opRepeatLazy -> 26 {2,5}\n" + tail);
  EXPECT_EQ(Compile("a{4}").dump, "1: opAlternative -> 26\n6: opRepeat -> 26 {4,4}\n" + tail);
  EXPECT_EQ(Compile("a??").dump, "1: opAlternative -> 26\n6: opRepeatLazy -> 26 {0,1}\n" + tail);
  EXPECT_EQ(Compile("a*?").dump, "1: opAlternative -> 18\n6: opStarLazy -> 18\n11: opLiteral \"a\"\n18: opEnd\n");
  EXPECT_EQ(Compile("a+?").dump, "1: opAlternative -> 18\n6: opPlusLazy -> 18\n11: opLiteral \"a\"\n18: opEnd\n");
  EXPECT_EQ(Compile("\\d+").dump, "1: opAlternative -> 16\n6: opPlus -> 16\n11: opDigit\n16: opEnd\n");
}

TEST(CompileProgram, GreedyOptionalIsAChoiceWithAnEmptyAlternative) {
  EXPECT_EQ(Compile("a?").dump,
            "1: opAlternative -> 28\n"
            "6: opAlternative -> 18\n"
            "11: opLiteral -> 23 \"a\"\n"
            "18: opAlternative -> 23\n"
            "23: opEmpty -> 28\n"
            "28: opEnd\n");
}

TEST(CompileProgram, ClearingGreedyMakesEveryQuantifierLazy) {
  EXPECT_EQ(Compile("(?-g)a*").dump,
            "1: opAlternative -> 23\n6: opNoOp -> 11\n11: opStarLazy -> 23\n16: opLiteral \"a\"\n23: opEnd\n");
  EXPECT_EQ(Compile("(?-g)a{2}").dump,
            "1: opAlternative -> 31\n6: opNoOp -> 11\n11: opRepeatLazy -> 31 {2,2}\n24: opLiteral \"a\"\n31: opEnd\n");
}

TEST(CompileProgram, EmptyAlternativesGetAnEmptyNode) {
  EXPECT_EQ(
      Compile("a|").dump,
      "1: opAlternative -> 13\n6: opLiteral -> 23 \"a\"\n13: opAlternative -> 23\n18: opEmpty -> 23\n23: opEnd\n");
  EXPECT_EQ(Compile("()").dump,
            "1: opAlternative -> 26\n6: opGroupOpen -> 11 1\n11: opAlternative -> 21\n16: opEmpty -> 21\n"
            "21: opGroupClose -> 26 1\n26: opEnd\n");
}

TEST(CompileProgram, AnchorsDotsAndBackReferencesFollowTheModifiers) {
  EXPECT_EQ(Compile("^.$").dump,
            "1: opAlternative -> 21\n6: opInputStart -> 11\n11: opAnyChar -> 16\n16: opInputEnd -> 21\n21: opEnd\n");
  EXPECT_EQ(Compile("(?m-s)^.$").dump,
            "1: opAlternative -> 26\n6: opNoOp -> 11\n11: opLineStart -> 16\n16: opAnyCharInLine -> 21\n"
            "21: opLineEnd -> 26\n26: opEnd\n");
  EXPECT_EQ(Compile("\\A\\Z\\b\\B").dump,
            "1: opAlternative -> 26\n6: opInputStart -> 11\n11: opInputEnd -> 16\n16: opWordBoundary -> 21\n"
            "21: opNotWordBoundary -> 26\n26: opEnd\n");
  EXPECT_EQ(Compile("(a)\\1").dump,
            "1: opAlternative -> 34\n6: opGroupOpen -> 11 1\n11: opAlternative -> 23\n16: opLiteral -> 23 \"a\"\n"
            "23: opGroupClose -> 28 1\n28: opBackRef -> 34 \\1\n34: opEnd\n");
  EXPECT_EQ(Compile("(a)\\1", true).dump,
            "1: opAlternative -> 34\n6: opGroupOpen -> 11 1\n11: opAlternative -> 23\n16: opLiteralNoCase -> 23 \"a\"\n"
            "23: opGroupClose -> 28 1\n28: opBackRefNoCase -> 34 \\1\n34: opEnd\n");
}

TEST(CompileProgram, MultiLineAnchorsNeedALineSeparator) {
  TRegExpr r;
  r.SetModifier(TModifier::M, true);
  r.SetLinePairedSeparator("");
  r.SetExpression("^");
  ASSERT_TRUE(r.EnsureProgram());
  EXPECT_EQ(static_cast<uint8_t>(r.Program()[6]), regexpr::opLineStart);  // the line-break list is still CR LF
}

TEST(CompileProgram, EscapesDenoteSingleCharacters) {
  EXPECT_EQ(
      Compile("\\t\\x41\\x{0042}\\e").dump,
      "1: opAlternative -> 34\n6: opLiteral -> 13 \"\\x09\"\n13: opLiteral -> 20 \"A\"\n20: opLiteral -> 27 \"B\"\n"
      "27: opLiteral -> 34 \"\\x1B\"\n34: opEnd\n");
  EXPECT_EQ(Compile("\\x41\\0\\12").dump,
            "1: opAlternative -> 33\n6: opLiteral -> 13 \"A\"\n13: opLiteral -> 20 \"0\"\n20: opBackRef -> 26 \\1\n"
            "26: opLiteral -> 33 \"2\"\n33: opEnd\n");
}

TEST(CompileProgram, ModifierGroupsAndCommentsAreNoOps) {
  EXPECT_EQ(Compile("a(?#note)(?i)b").dump,
            "1: opAlternative -> 30\n6: opLiteral -> 13 \"a\"\n13: opNoOp -> 18\n18: opNoOp -> 23\n"
            "23: opLiteralNoCase -> 30 \"b\"\n30: opEnd\n");
}

TEST(CompileProgram, InlineModifiersEndWithTheirGroup) {
  EXPECT_EQ(Compile("(a(?i)b|c)d").dump,
            "1: opAlternative -> 59\n"
            "6: opGroupOpen -> 11 1\n"
            "11: opAlternative -> 35\n"
            "16: opLiteral -> 23 \"a\"\n"
            "23: opNoOp -> 28\n"
            "28: opLiteralNoCase -> 47 \"b\"\n"
            "35: opAlternative -> 47\n"
            "40: opLiteralNoCase -> 47 \"c\"\n"
            "47: opGroupClose -> 52 1\n"
            "52: opLiteral -> 59 \"d\"\n"
            "59: opEnd\n");
}

TEST(CompileProgram, ExtendedSyntaxDropsBlanksAndComments) {
  EXPECT_EQ(Compile("(?x)a b # note\r\nc").dump,
            "1: opAlternative -> 31\n6: opNoOp -> 11\n11: opLiteral -> 19 \"ab\"\n19: opNoOp -> 24\n"
            "24: opLiteral -> 31 \"c\"\n31: opEnd\n");
  EXPECT_EQ(Compile("(?x)a\\ b[ ]").dump,
            "1: opAlternative -> 40\n6: opNoOp -> 11\n11: opLiteral -> 18 \"a\"\n18: opLiteral -> 25 \" \"\n"
            "25: opLiteral -> 32 \"b\"\n32: opSmallSet -> 40 \"   \"\n40: opEnd\n");
}

TEST(CompileProgram, BraceThatIsNoQuantifierIsText) {
  EXPECT_EQ(Compile("a{,3}").dump,
            "1: opAlternative -> 23\n6: opLiteral -> 13 \"a\"\n13: opLiteral -> 23 \"{,3}\"\n23: opEnd\n");
  EXPECT_EQ(Compile("{2}x").dump, "1: opAlternative -> 16\n6: opLiteral -> 16 \"{2}x\"\n16: opEnd\n");
  EXPECT_EQ(Compile("a{x}").dump,
            "1: opAlternative -> 22\n6: opLiteral -> 13 \"a\"\n13: opLiteral -> 22 \"{x}\"\n22: opEnd\n");
  EXPECT_EQ(Compile("a{2,3").dump,
            "1: opAlternative -> 23\n6: opLiteral -> 13 \"a\"\n13: opLiteral -> 23 \"{2,3\"\n23: opEnd\n");
}

TEST(CompileProgram, EmbeddedNulEndsTheExpression) {
  EXPECT_EQ(Compile(std::string_view("a\0(", 3)).bytes, Compile("a").bytes);
}

}  // namespace
