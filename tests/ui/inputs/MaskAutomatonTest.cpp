#include "ui/inputs/MaskAutomaton.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

// Feeds text and reports how many characters were taken before the first refusal.
size_t Taken(const TMaskPattern& pattern, const std::string& text) {
  TMaskAutomaton automaton(pattern);
  size_t taken = 0;
  while (taken < text.size() && automaton.Take(text[taken])) ++taken;
  return taken;
}

bool Accepts(const std::string& mask, const std::string& text) {
  const TMaskPattern pattern = TMaskPattern::Compile(mask);
  TMaskAutomaton automaton(pattern);
  for (char c : text)
    if (!automaton.Take(c)) return false;
  return automaton.IsAccepting();
}

TEST(MaskAutomaton, DigitCountsAdmitOnlyDigitsUpToTheLimit) {
  const TMaskPattern phone = TMaskPattern::Compile("\\d{1,10}");
  EXPECT_EQ(Taken(phone, "12345678901"), 10u);
  EXPECT_EQ(Taken(phone, "12a"), 2u);
  EXPECT_EQ(Taken(phone, " 1"), 0u);
  EXPECT_EQ(Taken(phone, "/:"), 0u);  // the bytes either side of the digits

  TMaskAutomaton automaton(phone);
  EXPECT_FALSE(automaton.IsAccepting());
  ASSERT_TRUE(automaton.Take('7'));
  EXPECT_TRUE(automaton.IsAccepting());
}

TEST(MaskAutomaton, RefusedCharacterLeavesTheStateAsItWas) {
  const TMaskPattern house = TMaskPattern::Compile("\\d{1,5}");
  TMaskAutomaton automaton(house);
  for (char c : std::string("1234")) ASSERT_TRUE(automaton.Take(c));
  EXPECT_FALSE(automaton.Take('x'));
  EXPECT_TRUE(automaton.CanTake('5'));
  EXPECT_TRUE(automaton.Take('5'));
  EXPECT_FALSE(automaton.CanTake('6'));
  EXPECT_TRUE(automaton.IsAccepting());
}

TEST(MaskAutomaton, SequencesLiteralsAndClasses) {
  EXPECT_TRUE(Accepts("\\d{3}-\\d{2}", "123-45"));
  EXPECT_FALSE(Accepts("\\d{3}-\\d{2}", "123-4"));
  EXPECT_FALSE(Accepts("\\d{3}-\\d{2}", "12-345"));
  EXPECT_TRUE(Accepts("[a-c\\d]{2}x", "b7x"));
  EXPECT_FALSE(Accepts("[a-c\\d]{2}x", "d7x"));
  EXPECT_TRUE(Accepts("[^0-9]+", "abc"));
  EXPECT_FALSE(Accepts("[^0-9]+", "a1"));
  EXPECT_TRUE(Accepts("\\(\\d\\)", "(5)"));
  EXPECT_TRUE(Accepts("[]a]", "]"));
}

TEST(MaskAutomaton, AmbiguousCountsKeepEveryPossibleSplit) {
  // "\d{1,3}\d{2}": three digits may be 1+2, five may be 3+2, six fit no split.
  EXPECT_FALSE(Accepts("\\d{1,3}\\d{2}", "12"));
  EXPECT_TRUE(Accepts("\\d{1,3}\\d{2}", "123"));
  EXPECT_TRUE(Accepts("\\d{1,3}\\d{2}", "12345"));
  EXPECT_FALSE(Accepts("\\d{1,3}\\d{2}", "123456"));
  EXPECT_TRUE(Accepts("a?b", "b"));
  EXPECT_TRUE(Accepts("a*b+", "aaabbb"));
  EXPECT_FALSE(Accepts("a*b+", "aaa"));
  EXPECT_TRUE(Accepts("\\d{2,}", std::string(500, '9')));
}

TEST(MaskAutomaton, ZeroCountsAndTheEmptyMask) {
  EXPECT_TRUE(Accepts("\\d{0}x", "x"));
  EXPECT_TRUE(Accepts("", ""));
  EXPECT_FALSE(Accepts("", "1"));
  EXPECT_TRUE(Accepts("\\d{0,2}", ""));
}

TEST(MaskAutomaton, ByteZeroAndCyrillicBytes) {
  // Byte 0 stands for a character without a Windows-1251 form: nothing takes it.
  EXPECT_FALSE(Accepts(".", std::string(1, '\0')));
  EXPECT_FALSE(Accepts("[^a]", std::string(1, '\0')));
  EXPECT_TRUE(Accepts(".", "\xFF"));
  EXPECT_TRUE(Accepts("\\w+", "\xC8\xE2\xE0\xED\xA8\xB8"));  // Иван Ё ё
  EXPECT_TRUE(Accepts("[\xC0-\xDF]", "\xC6"));
  EXPECT_FALSE(Accepts("[\xC0-\xDF]", "\xE6"));
}

TEST(MaskAutomaton, ForcedNextOnlyWhenOneCharacterIsPossible) {
  const TMaskPattern pattern = TMaskPattern::Compile("\\d{2}-x\\d?");
  TMaskAutomaton automaton(pattern);
  EXPECT_FALSE(automaton.ForcedNext());
  automaton.Take('1');
  EXPECT_FALSE(automaton.ForcedNext());
  automaton.Take('2');
  EXPECT_EQ(automaton.ForcedNext(), '-');
  automaton.Take('-');
  EXPECT_EQ(automaton.ForcedNext(), 'x');
  automaton.Take('x');
  EXPECT_FALSE(automaton.ForcedNext());  // may end here

  const TMaskPattern digits = TMaskPattern::Compile("\\d{1,10}");
  EXPECT_FALSE(TMaskAutomaton(digits).ForcedNext());
}

TEST(MaskPattern, UnsupportedMasksThrowNamingTheMask) {
  for (const char* mask : {"(\\d)", "a|b", "^\\d", "\\d$", "*a", "a{2", "a{3,1}", "a{x}", "[a", "[z-a]", "\\q", "\\",
                           "a**", "a{1001}", "a{,3}", "]"}) {
    SCOPED_TRACE(mask);
    try {
      TMaskPattern::Compile(mask);
      ADD_FAILURE() << "compiled";
    } catch (const std::invalid_argument& error) {
      EXPECT_NE(std::string(error.what()).find(mask), std::string::npos) << error.what();
    }
  }
}

TEST(MaskPattern, NoMaskIsEmptyOrSpacesOnly) {
  EXPECT_TRUE(IsNoMask(""));
  EXPECT_TRUE(IsNoMask("   "));
  EXPECT_FALSE(IsNoMask(" \\d "));
  EXPECT_FALSE(IsNoMask("\t"));
}

}  // namespace
