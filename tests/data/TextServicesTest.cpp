#include "data/TextServices.h"

#include <gtest/gtest.h>

#include "tests/support/Cp1251Literal.h"

TEST(TrimText, RemovesControlBytesAndSpacesFromBothEndsOnly) {
  EXPECT_EQ(TrimText(Cp("\t Иван\r\n")), Cp("Иван"));
  EXPECT_EQ(TrimText(" a b "), "a b");
  EXPECT_EQ(TrimText(std::string("\0\x1f x\0", 5)), "x");
  EXPECT_EQ(TrimText("    "), "");
  EXPECT_EQ(TrimText(""), "");
}

TEST(TrimText, KeepsBytesAbove32) {
  EXPECT_EQ(TrimText(" x\xA0"), "x\xA0");
  EXPECT_EQ(TrimText("\x7F x"), "\x7F x");
  EXPECT_EQ(TrimText("!"), "!");
}

TEST(LowerText, MapsLatinCyrillicAndExtraCapitals) {
  EXPECT_EQ(LowerText(Cp("ЁЛКА Ltd 12")), Cp("ёлка ltd 12"));
  EXPECT_EQ(LowerText(Cp("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ")), Cp("абвгдежзийклмнопрстуфхцчшщъыьэюя"));
  EXPECT_EQ(LowerText(Cp("ЂЃЉЊЌЋЏЎЈҐЄЇІЅ")), Cp("ђѓљњќћџўјґєїіѕ"));
}

TEST(LowerText, ChangesExactly73BytesAndKeepsLength) {
  int changed = 0;
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    const std::string lower = LowerText(one);
    ASSERT_EQ(lower.size(), 1u);
    if (lower != one) {
      ++changed;
      EXPECT_EQ(LowerText(lower), lower) << "byte " << b << " maps to an upper-case letter";
    }
  }
  EXPECT_EQ(changed, 73);
  EXPECT_EQ(LowerText(std::string("A\0B", 3)), std::string("a\0b", 3));
}

TEST(TextPos, EmptyTextsGiveZero) {
  EXPECT_EQ(TextPos("", "abc"), 0);
  EXPECT_EQ(TextPos("abc", ""), 0);
  EXPECT_EQ(TextPos("", ""), 0);
}

TEST(TextPos, FindsLeftmostOccurrenceExactly) {
  EXPECT_EQ(TextPos("45", "4545"), 1);
  EXPECT_EQ(TextPos("54", "4545"), 2);
  EXPECT_EQ(TextPos(Cp("Б"), Cp("абв")), 0);
  EXPECT_EQ(TextPos("abc", "abc"), 1);
  EXPECT_EQ(TextPos("abcd", "abc"), 0);
  EXPECT_EQ(TextPos("c", "abc"), 3);
}

TEST(TextPos, BothTextsEndAtTheirFirstNul) {
  EXPECT_EQ(TextPos("b", std::string("a\0b", 3)), 0);
  EXPECT_EQ(TextPos(std::string("a\0z", 3), "xa"), 2);
  EXPECT_EQ(TextPos(std::string("\0a", 2), "a"), 0);
}

TEST(ParseInteger, AcceptsSignsLeadingSpacesAndZeros) {
  EXPECT_EQ(ParseInteger("0012"), 12);
  EXPECT_EQ(ParseInteger("  7"), 7);
  EXPECT_EQ(ParseInteger("-5"), -5);
  EXPECT_EQ(ParseInteger("+5"), 5);
  EXPECT_EQ(ParseInteger("0"), 0);
  EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseInteger("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseInteger("000000000000000000099999"), 99999);
}

TEST(ParseInteger, RejectsEverythingElseWithTheWholeTextInTheMessage) {
  for (const char* text :
       {"12 ", "", " ", "-", "+-1", "1a", "\t1", "2147483648", "-2147483649", "99999999999999999999", "1.0", "0x10"}) {
    try {
      ParseInteger(text);
      ADD_FAILURE() << "parsed '" << text << "'";
    } catch (const EConvertError& error) {
      EXPECT_EQ(std::string(error.what()), "'" + std::string(text) + "' is not a valid integer value");
    }
  }
}

TEST(IntegerText, CoversTheWhole64BitRange) {
  EXPECT_EQ(IntegerText(0), "0");
  EXPECT_EQ(IntegerText(745), "745");
  EXPECT_EQ(IntegerText(-1), "-1");
  EXPECT_EQ(IntegerText(INT64_MAX), "9223372036854775807");
  EXPECT_EQ(IntegerText(INT64_MIN), "-9223372036854775808");
}
