#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "regexpr/RegExpr.h"

namespace {

uint8_t FirstOpcode(const TRegExpr& r) { return static_cast<uint8_t>(r.Program().at(6)); }

std::string ProgramOf(std::string_view expression) {
  TRegExpr r;
  r.SetExpression(expression);
  r.EnsureProgram();
  return std::string(r.Program());
}

TEST(CompileObject, StartsWithIRSGAndNoProgram) {
  TRegExpr r;
  EXPECT_EQ(r.Modifiers(), 15);
  EXPECT_TRUE(r.Modifier(TModifier::I) && r.Modifier(TModifier::R) && r.Modifier(TModifier::S) &&
              r.Modifier(TModifier::G));
  EXPECT_FALSE(r.Modifier(TModifier::M) || r.Modifier(TModifier::X));
  EXPECT_FALSE(r.IsCompiled());
  EXPECT_TRUE(r.Program().empty());
  EXPECT_TRUE(r.Expression().empty());
  EXPECT_THROW(r.Modifier(static_cast<TModifier>(7)), ERegExpr);
}

// A bit of the modifier word, such as 4 for s, would name g as an index.
template <typename T>
concept TakesBareNumber = requires(T& r) {
  r.SetModifier(4, true);
};
static_assert(!TakesBareNumber<TRegExpr>);

TEST(CompileObject, SettingTheSameTextKeepsTheCompiledProgram) {
  TRegExpr r;
  r.SetExpression("abc");
  ASSERT_TRUE(r.EnsureProgram());
  const char* program = r.Program().data();
  r.SetExpression(std::string("abc"));
  EXPECT_TRUE(r.IsCompiled());
  ASSERT_TRUE(r.EnsureProgram());
  EXPECT_EQ(r.Program().data(), program);
  r.SetExpression("abd");
  EXPECT_FALSE(r.IsCompiled());
  EXPECT_TRUE(r.Program().empty());
  ASSERT_TRUE(r.EnsureProgram());
  EXPECT_EQ(r.Expression(), "abd");
}

TEST(CompileObject, ChangedModifiersRecompileAtTheNextUse) {
  TRegExpr r;
  r.SetExpression("a");
  ASSERT_TRUE(r.EnsureProgram());
  EXPECT_EQ(FirstOpcode(r), regexpr::opLiteralNoCase);
  r.SetModifier(TModifier::I, false);
  EXPECT_EQ(FirstOpcode(r), regexpr::opLiteralNoCase);  // not before the next use
  ASSERT_TRUE(r.EnsureProgram());
  EXPECT_EQ(FirstOpcode(r), regexpr::opLiteral);
  r.SetModifier(TModifier::I, false);  // no change, no recompilation
  const char* program = r.Program().data();
  ASSERT_TRUE(r.EnsureProgram());
  EXPECT_EQ(r.Program().data(), program);
}

TEST(CompileObject, ChangingThePairedSeparatorDiscardsTheProgram) {
  TRegExpr r;
  r.SetExpression("a");
  ASSERT_TRUE(r.EnsureProgram());
  r.SetLinePairedSeparator("\r\n");  // the pair it already has
  EXPECT_FALSE(r.Program().empty());
  r.SetLinePairedSeparator("\n\r");
  EXPECT_TRUE(r.Program().empty());
  ASSERT_TRUE(r.EnsureProgram());
  r.SetLinePairedSeparator("");
  EXPECT_TRUE(r.Program().empty());
  ASSERT_TRUE(r.EnsureProgram());
  r.SetLinePairedSeparator("");  // already none
  EXPECT_FALSE(r.Program().empty());
}

TEST(CompileObject, ModifierSettersReachEveryDialect) {
  TRegExpr r;
  r.SetExpression(".");
  r.SetModifier(TModifier::S, false);
  ASSERT_TRUE(r.EnsureProgram());
  EXPECT_EQ(FirstOpcode(r), regexpr::opAnyCharInLine);
  r.SetExpression("^");
  r.SetModifier(TModifier::M, true);
  ASSERT_TRUE(r.EnsureProgram());
  EXPECT_EQ(FirstOpcode(r), regexpr::opLineStart);
  r.SetExpression(" a");
  r.SetModifier(TModifier::X, true);
  ASSERT_TRUE(r.EnsureProgram());
  EXPECT_EQ(FirstOpcode(r), regexpr::opNoOp);
  r.SetExpression("a*");
  r.SetModifier(TModifier::G, false);
  ASSERT_TRUE(r.EnsureProgram());
  EXPECT_EQ(FirstOpcode(r), regexpr::opStarLazy);
  EXPECT_EQ(r.Modifiers(), 1 | 2 | 16 | 32);
}

TEST(CompileObject, ModifierLettersInEitherCaseAndWithClearing) {
  EXPECT_EQ(ProgramOf("(?i)a"), ProgramOf("(?I)a"));
  EXPECT_EQ(ProgramOf("(?-i)a"), ProgramOf("(?-I)a"));
  EXPECT_EQ(ProgramOf("(?)a"), ProgramOf("(?-)a"));
  EXPECT_NE(ProgramOf("(?-i)a"), ProgramOf("(?)a"));
  TRegExpr r;
  r.SetModifier(TModifier::I, false);
  r.SetModifier(TModifier::M, true);
  r.SetExpression("(?i-s-m)a.^");
  ASSERT_TRUE(r.EnsureProgram());
  EXPECT_EQ(r.Dump(),
            "1: opAlternative -> 28\n6: opNoOp -> 11\n11: opLiteralNoCase -> 18 \"a\"\n18: opAnyCharInLine -> 23\n"
            "23: opInputStart -> 28\n28: opEnd\n");
  EXPECT_EQ(r.Modifiers(), 2 | 4 | 8 | 16);  // inline letters never change the object's word
}

TEST(CompileObject, ExtendedSyntaxKeepsEscapedAndBracketedBlanks) {
  TRegExpr r;
  r.SetModifier(TModifier::I, false);
  r.SetModifier(TModifier::X, true);
  r.SetExpression("a ?\\#");
  ASSERT_TRUE(r.EnsureProgram());
  EXPECT_EQ(r.Dump(),
            "1: opAlternative -> 40\n6: opLiteral -> 13 \"a\"\n13: opAlternative -> 23\n18: opNoOp -> 28\n"
            "23: opAlternative -> 28\n28: opEmpty -> 33\n33: opLiteral -> 40 \"#\"\n40: opEnd\n");
}

TEST(CompileObject, LongAndWideExpressionsCompile) {
  TRegExpr r;
  r.SetModifier(TModifier::I, false);
  std::string alternatives = "a";
  for (int i = 0; i < 30000; ++i) alternatives += "|b";
  r.SetExpression(alternatives);
  ASSERT_TRUE(r.EnsureProgram());
  EXPECT_EQ(r.Program().size(), 1u + 30001u * 12u + 5u);
  std::string literal(100000, 'x');
  r.SetExpression("x*" + literal);
  ASSERT_TRUE(r.EnsureProgram());
  EXPECT_TRUE(r.MustString() == literal) << r.MustString().size();
  std::string nested;
  for (int i = 0; i < 14; ++i) nested += "(a|";
  nested += "b";
  for (int i = 0; i < 14; ++i) nested += ")+";
  r.SetExpression(nested);
  ASSERT_TRUE(r.EnsureProgram());
  EXPECT_EQ(r.FirstChars().count(), 2u);
}

}  // namespace
