#include "ui/inputs/MaskRules.h"

#include <gtest/gtest.h>

namespace {

const TMaskPattern& Phone() {
  static const TMaskPattern pattern = TMaskPattern::Compile("\\d{1,10}");
  return pattern;
}

const TMaskPattern& House() {
  static const TMaskPattern pattern = TMaskPattern::Compile("\\d{1,5}");
  return pattern;
}

TEST(TypeCharacter, InsertsAtTheCaretAndKeepsAFittingTail) {
  const auto typed = TypeCharacter(Phone(), "1256", 2, 0, '3');
  ASSERT_TRUE(typed);
  EXPECT_EQ(typed->Text, "12356");
  EXPECT_EQ(typed->Caret, 3u);

  const auto atEnd = TypeCharacter(House(), "", 0, 0, '7');
  ASSERT_TRUE(atEnd);
  EXPECT_EQ(atEnd->Text, "7");
  EXPECT_EQ(atEnd->Caret, 1u);
}

TEST(TypeCharacter, TailThatCannotFollowInFullIsCut) {
  const auto typed = TypeCharacter(Phone(), "1234567890", 5, 0, '0');
  ASSERT_TRUE(typed);
  EXPECT_EQ(typed->Text, "123450");
  EXPECT_EQ(typed->Caret, 6u);

  const TMaskPattern dashed = TMaskPattern::Compile("\\d{2}-\\d{2}");
  const auto cut = TypeCharacter(dashed, "12-34", 0, 0, '9');  // "912" cannot be the start
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->Text, "9");
  const auto kept = TypeCharacter(dashed, "1-34", 0, 0, '9');
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->Text, "91-34");
}

TEST(TypeCharacter, RefusedCharactersAreDropped) {
  EXPECT_FALSE(TypeCharacter(Phone(), "1234567890", 10, 0, '1'));
  EXPECT_FALSE(TypeCharacter(Phone(), "12", 2, 0, 'a'));
  EXPECT_FALSE(TypeCharacter(Phone(), "12", 1, 0, ' '));
  EXPECT_FALSE(TypeCharacter(Phone(), "", 0, 0, '\t'));
  EXPECT_FALSE(TypeCharacter(Phone(), "", 0, 0, '\x1B'));
  // A text typed without the mask blocks typing behind its bad part.
  EXPECT_FALSE(TypeCharacter(Phone(), "12a", 3, 0, '3'));
  const auto beforeBadPart = TypeCharacter(Phone(), "12a", 2, 0, '3');
  ASSERT_TRUE(beforeBadPart);
  EXPECT_EQ(beforeBadPart->Text, "123");
}

TEST(TypeCharacter, HighlightedPartGoesFirst) {
  const auto full = TypeCharacter(House(), "12345", 1, 3, '9');
  ASSERT_TRUE(full);
  EXPECT_EQ(full->Text, "195");
  EXPECT_EQ(full->Caret, 2u);
  // With the text full, a digit still replaces the highlighted part.
  const auto replaced = TypeCharacter(House(), "12345", 0, 5, '8');
  ASSERT_TRUE(replaced);
  EXPECT_EQ(replaced->Text, "8");
  // Out-of-range selections are clamped to the text.
  const auto clamped = TypeCharacter(House(), "12", 7, 9, '3');
  ASSERT_TRUE(clamped);
  EXPECT_EQ(clamped->Text, "123");
}

TEST(TypeCharacter, ForcedCharactersComeWithTheTypedOne) {
  const TMaskPattern dated = TMaskPattern::Compile("\\d{2}\\.\\d{2}");
  const auto typed = TypeCharacter(dated, "1", 1, 0, '2');
  ASSERT_TRUE(typed);
  EXPECT_EQ(typed->Text, "12.");
  EXPECT_EQ(typed->Caret, 3u);
}

TEST(PasteText, KeepsOnlyWhatTheMaskTakesInOrder) {
  const TMaskedText pasted = PasteText(House(), "", 0, 0, "1-23 456");
  EXPECT_EQ(pasted.Text, "12345");
  EXPECT_EQ(pasted.Caret, 5u);

  const TMaskedText middle = PasteText(Phone(), "1290", 2, 0, "a3b4");
  EXPECT_EQ(middle.Text, "123490");
  EXPECT_EQ(middle.Caret, 4u);

  const TMaskedText replacing = PasteText(House(), "12345", 1, 2, "xx");
  EXPECT_EQ(replacing.Text, "145");
  EXPECT_EQ(replacing.Caret, 1u);

  // The whole new text is read again, so a bad part typed earlier goes too.
  EXPECT_EQ(PasteText(Phone(), "12a", 3, 0, "3").Text, "123");
  EXPECT_EQ(PasteText(House(), "123", 3, 0, "").Text, "123");
}

TEST(PasteText, OverlongPasteIsCutAtTheLimitAndDropsTheOldTail) {
  const TMaskedText pasted = PasteText(House(), "99", 0, 0, "1234");
  EXPECT_EQ(pasted.Text, "12349");
  EXPECT_EQ(pasted.Caret, 4u);
}

TEST(FullMatch, EmptyPassesAndPartialTextsFail) {
  EXPECT_TRUE(FullMatch(Phone(), ""));
  EXPECT_TRUE(FullMatch(Phone(), "0"));
  EXPECT_TRUE(FullMatch(Phone(), "1234567890"));
  EXPECT_FALSE(FullMatch(Phone(), "12345678901"));
  EXPECT_FALSE(FullMatch(Phone(), "12a"));
  EXPECT_FALSE(FullMatch(Phone(), " 1"));
  const TMaskPattern dashed = TMaskPattern::Compile("\\d{2}-\\d{2}");
  EXPECT_FALSE(FullMatch(dashed, "12-"));
  EXPECT_TRUE(FullMatch(dashed, "12-34"));
}

}  // namespace
