#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "regexpr/RegExpr.h"

namespace {

TCharSet Chars(std::string_view members) {
  TCharSet set;
  for (char c : members) set.set(static_cast<uint8_t>(c));
  return set;
}

TCharSet AllBut(std::string_view excluded) { return ~Chars(excluded); }

class SearchAids : public testing::Test {
 protected:
  void Compile(std::string_view expression, bool caseInsensitive = false) {
    r_.SetModifier(TModifier::I, caseInsensitive);
    r_.SetExpression(expression);
    ASSERT_TRUE(r_.EnsureProgram()) << expression;
  }
  TRegExpr r_;
};

TEST_F(SearchAids, LeadingLiteralGivesTheStartCharacterOnlyWhenCaseSensitive) {
  Compile("abc");
  EXPECT_EQ(r_.StartChar(), 'a');
  EXPECT_EQ(r_.FirstChars(), Chars("a"));
  Compile("abc", true);
  EXPECT_EQ(r_.StartChar(), 0);
  EXPECT_EQ(r_.FirstChars(), Chars("aA"));
  Compile("\xE8\xE2\xE0\xED", true);  // "иван"
  EXPECT_EQ(r_.FirstChars(), Chars("\xE8\xC8"));
}

TEST_F(SearchAids, LeadingInputStartAnchors) {
  Compile("^abc");
  EXPECT_TRUE(r_.Anchored());
  EXPECT_EQ(r_.StartChar(), 0);
  EXPECT_EQ(r_.FirstChars(), Chars("a"));
  Compile("\\Aabc");
  EXPECT_TRUE(r_.Anchored());
  Compile("(?m)^abc");  // a modifier group comes first, and "^" is a line start
  EXPECT_FALSE(r_.Anchored());
  Compile("^a|^b");
  EXPECT_FALSE(r_.Anchored());
}

TEST_F(SearchAids, AlternativesSetNeitherStartCharNorAnchor) {
  Compile("a|b");
  EXPECT_EQ(r_.StartChar(), 0);
  EXPECT_FALSE(r_.Anchored());
  EXPECT_EQ(r_.FirstChars(), Chars("ab"));
}

TEST_F(SearchAids, MustStringIsTheLongestLiteralAfterALeadingRepetition) {
  Compile("a*bcd");
  EXPECT_EQ(r_.MustString(), "bcd");
  Compile("abcd");
  EXPECT_EQ(r_.MustString(), "");
  Compile("x+ab\\dcd");  // equal lengths: the later one wins
  EXPECT_EQ(r_.MustString(), "cd");
  Compile("a*bcd", true);  // case-insensitive literals never qualify
  EXPECT_EQ(r_.MustString(), "");
  Compile("a*(xyz)b");  // literals inside groups are not walked into
  EXPECT_EQ(r_.MustString(), "b");
  Compile("a?bcd");  // "?" is no leading repetition
  EXPECT_EQ(r_.MustString(), "");
  Compile("a{0,3}bcd");  // nor is a zero minimum
  EXPECT_EQ(r_.MustString(), "");
  Compile("a{2}bcd|x");
  EXPECT_EQ(r_.MustString(), "");
}

TEST_F(SearchAids, FirstCharsOfClassesAndSets) {
  Compile("5|\\D");
  EXPECT_EQ(r_.FirstChars(), AllBut("012346789"));
  Compile("x|[^xyz]");
  EXPECT_EQ(r_.FirstChars(), AllBut("yz"));
  Compile("[^abcd]");
  EXPECT_EQ(r_.FirstChars(), AllBut("abcd"));
  Compile("\\d+x");
  EXPECT_EQ(r_.FirstChars(), Chars("0123456789"));
  Compile("a.");
  EXPECT_EQ(r_.FirstChars(), Chars("a"));
  Compile(".a");
  EXPECT_TRUE(r_.FirstChars().all());
  Compile("(a)\\1");
  EXPECT_EQ(r_.FirstChars(), Chars("a"));
  Compile("\\1a");
  EXPECT_TRUE(r_.FirstChars().all());
}

TEST_F(SearchAids, OptionalPiecesLetTheFollowingCharactersBeginAMatch) {
  Compile("a*b");
  EXPECT_EQ(r_.FirstChars(), Chars("ab"));
  Compile("a+b");
  EXPECT_EQ(r_.FirstChars(), Chars("a"));
  Compile("a?b");
  EXPECT_EQ(r_.FirstChars(), Chars("ab"));
  Compile("a{0,2}b");
  EXPECT_EQ(r_.FirstChars(), Chars("ab"));
  Compile("a{1,2}b");
  EXPECT_EQ(r_.FirstChars(), Chars("a"));
  Compile("(ab)*c");
  EXPECT_EQ(r_.FirstChars(), Chars("ac"));
  Compile("(ab)+c");
  EXPECT_EQ(r_.FirstChars(), Chars("a"));
  Compile("(ab)*?c");
  EXPECT_EQ(r_.FirstChars(), Chars("ac"));
  Compile("(ab){2}c");
  EXPECT_EQ(r_.FirstChars(), Chars("a"));
  Compile("^\\b(?#c)(a|)b");
  EXPECT_EQ(r_.FirstChars(), Chars("ab"));
}

TEST_F(SearchAids, LoopsWhoseBodyCanBeEmptyStillEndAndKeepTheFollowingCharacters) {
  Compile("(a*)??b");
  EXPECT_EQ(r_.FirstChars(), Chars("ab"));
  Compile("(a|)??b");
  EXPECT_EQ(r_.FirstChars(), Chars("ab"));
  Compile("(?-g)(a|)?b");
  EXPECT_EQ(r_.FirstChars(), Chars("ab"));
  Compile("((a|)(b|))??c");
  EXPECT_EQ(r_.FirstChars(), Chars("abc"));
  Compile(
      "(x(a*)?"
      "?){2}y");
  EXPECT_EQ(r_.FirstChars(), Chars("x"));
}

TEST_F(SearchAids, EmptyMatchAddsNothingForTheEnd) {
  Compile("a*");
  EXPECT_EQ(r_.FirstChars(), Chars("a"));
  Compile("$");
  EXPECT_TRUE(r_.FirstChars().none());
}

TEST_F(SearchAids, LongChainsOfOptionalAnchorsStayLinear) {
  // Each "^?" is a choice whose two branches rejoin; a walk that did not
  // remember visited nodes would take 2^n paths and n nested calls.
  std::string expression;
  for (int i = 0; i < 20000; ++i) expression += "^?";
  expression += "q";
  Compile(expression);
  EXPECT_EQ(r_.FirstChars(), Chars("q"));
}

}  // namespace
