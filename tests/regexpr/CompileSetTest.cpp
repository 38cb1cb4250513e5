#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "regexpr/RegExpr.h"
#include "tests/support/Cp1251Literal.h"

namespace {

using namespace regexpr;

TCharSet Chars(std::string_view members) {
  TCharSet set;
  for (char c : members) set.set(static_cast<uint8_t>(c));
  return set;
}

TCharSet Range(int first, int last) {
  TCharSet set;
  for (int c = first; c <= last; ++c) set.set(static_cast<size_t>(c));
  return set;
}

// The members of the set that an expression consisting of one set compiles to,
// read back from the program bytes. Modifiers start cleared except r.
TCharSet Members(std::string_view expression) {
  TRegExpr r;
  for (int index = 1; index <= 4; ++index) r.SetModifier(static_cast<TModifier>(index), index == 2);
  r.SetExpression(expression);
  EXPECT_TRUE(r.EnsureProgram()) << expression;
  const auto* node = reinterpret_cast<const uint8_t*>(r.Program().data()) + 6;
  while (node[0] == opNoOp) node += ReadInt32(node + 1);
  const uint8_t* operand = node + NodeHeaderSize;
  TCharSet set;
  switch (node[0]) {
    case opSmallSet:
    case opNotSmallSet:
      for (int i = 0; i < 3; ++i) set.set(operand[i]);
      set.reset(0);  // padding of a set without members
      return node[0] == opSmallSet ? set : ~Chars(std::string_view(reinterpret_cast<const char*>(operand), 3));
    case opBitSet:
      for (int c = 0; c < 256; ++c)
        if ((operand[c / 8] >> (c % 8)) & 1) set.set(static_cast<size_t>(c));
      return set;
    default: ADD_FAILURE() << expression << " is no set, opcode " << int(node[0]); return set;
  }
}

TEST(CompileSet, ClosingBracketAndDashAsOrdinaryMembers) {
  EXPECT_EQ(Members("[]a]"), Chars("]a"));
  EXPECT_EQ(Members("[^]a]"), ~Chars("]a"));
  EXPECT_EQ(Members("[a-]"), Chars("a-"));
  EXPECT_EQ(Members("[-a]"), Chars("-a"));
  EXPECT_EQ(Members("[a-c-e]"), Chars("abc-e"));
  EXPECT_EQ(Members("[\\d-z]"), Chars("0123456789-z"));
  EXPECT_EQ(Members("[a-\\d]"), Chars("a-0123456789"));
  EXPECT_EQ(Members("[a-\\W]"), Chars("a-W"));
  EXPECT_EQ(Members("[]-a]"), Range(']', 'a'));
}

TEST(CompileSet, EscapesInsideBrackets) {
  EXPECT_EQ(Members("[\\D]"), Chars("D"));
  EXPECT_EQ(Members("[\\W\\S\\b\\B]"), Chars("WSbB"));
  EXPECT_EQ(Members("[\\t\\n\\x41\\x{42}\\]]"), Chars("\t\nAB]"));
  EXPECT_EQ(Members("[\\s]"), Chars(" \t\n\r\f"));
  EXPECT_EQ(Members("[a\\x00]"), Chars("a"));
  EXPECT_EQ(Members("[\\x00-\\x1F]"), Range(1, 31));
  EXPECT_EQ(Members("[\\x7E-\\x{7F}]"), Range(0x7E, 0x7F));
}

TEST(CompileSet, RangeWithEqualEndsHoldsOneCharacterUpToCode255) {
  EXPECT_EQ(Members("[\xFF-\xFF]"), Chars("\xFF"));
  EXPECT_EQ(Members("[\\x01-\\x01]"), Chars("\x01"));
  EXPECT_EQ(Members("[\\xFE-\\xFF]"), Range(0xFE, 0xFF));
  EXPECT_EQ(Members("[\\x01-\\xFF]"), Range(1, 255));
}

TEST(CompileSet, RussianRangesTakeTheirWholeAlphabetUnderR) {
  EXPECT_EQ(Members("[\xE0-\xFF]"), Chars(RussianLower));
  EXPECT_EQ(Members("[\xC0-\xDF]"), Chars(RussianUpper));
  EXPECT_EQ(Members("[\xE0-\xDF]"), Chars(RussianLower + RussianUpper));
  EXPECT_EQ(Members("[\\xE0-\\x{DF}]").count(), 66u);
  EXPECT_EQ(Members("[\xC0-\xFF]"), Range(0xC0, 0xFF));  // "А-я" is an ordinary range
  EXPECT_EQ(Members("(?-r)[\xE0-\xFF]"), Range(0xE0, 0xFF));
}

TEST(CompileSet, CaseInsensitiveSetsAddTheSwappedCase) {
  EXPECT_EQ(Members("(?i)[\xE0-\xE2]"), Chars("\xE0\xE1\xE2\xC0\xC1\xC2"));
  EXPECT_EQ(Members("(?i)[\xFF-\xFF]"), Chars("\xFF\xDF"));
  EXPECT_EQ(Members("(?i)[\xE0-\xFF]"), Chars(RussianLower + RussianUpper));
  EXPECT_EQ(Members("(?i-r)[\xE0-\xFF]"), Range(0xC0, 0xFF));  // no "Ё" or "ё" without r
  EXPECT_EQ(Members("(?i)[\\D]"), Chars("Dd"));
  EXPECT_EQ(Members("(?i)[^a]"), ~Chars("aA"));
  EXPECT_EQ(Members("(?i)\\w"), Members("\\w"));  // class escapes outside brackets never widen
}

TEST(CompileSet, ClassEscapesFollowTheObjectLists) {
  EXPECT_EQ(Members("\\w").count(), 63u);
  EXPECT_EQ(Members("\\W"), ~Members("\\w"));
  EXPECT_EQ(Members("\\s"), Chars(" \t\n\r\f"));
  EXPECT_EQ(Members("\\S"), ~Chars(" \t\n\r\f"));
  EXPECT_FALSE(Members("\\w").test(0xE0));
}

TEST(CompileSet, CaseSwapPairsTheWindows1251Letters) {
  EXPECT_EQ(SwapCaseByLocale('a'), 'A');
  EXPECT_EQ(SwapCaseByLocale('Z'), 'z');
  EXPECT_EQ(SwapCaseByLocale(0xE0), 0xC0);
  EXPECT_EQ(SwapCaseByLocale(0xDF), 0xFF);
  EXPECT_EQ(SwapCaseByLocale(0xA8), 0xB8);
  EXPECT_EQ(SwapCaseByLocale(0xB8), 0xA8);
  EXPECT_EQ(SwapCaseByLocale(0xB2), 0xB3);
  EXPECT_EQ(SwapCaseByLocale(0xA3), 0xBC);
  int pairs = 0;
  for (int c = 0; c < 256; ++c) {
    const uint8_t swapped = SwapCaseByLocale(static_cast<uint8_t>(c));
    EXPECT_EQ(SwapCaseByLocale(swapped), c) << c;  // an involution
    if (swapped != c) ++pairs;
  }
  EXPECT_EQ(pairs, 2 * (26 + 32 + 15));
  for (int c : {int{'0'}, int{'_'}, int{'@'}, int{'['}, 0xB9, 0xB5, 0x00, 0x7F, 0xB7})
    EXPECT_EQ(SwapCaseByLocale(c), c) << c;
}

}  // namespace
