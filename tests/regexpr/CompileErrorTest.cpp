#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "regexpr/RegExpr.h"

namespace {

struct TErrorCase {
  std::string_view expression;
  int code;
  int position;
};

void PrintTo(const TErrorCase& c, std::ostream* os) { *os << '"' << c.expression << '"'; }

class CompileError : public testing::TestWithParam<TErrorCase> {};

TEST_P(CompileError, ReportsCodePositionAndMessage) {
  const TErrorCase& c = GetParam();
  TRegExpr r;
  r.SetExpression(c.expression);
  try {
    r.EnsureProgram();
    FAIL() << "compiled without error";
  } catch (const ERegExpr& e) {
    EXPECT_EQ(e.ErrorNumber, c.code);
    EXPECT_EQ(e.ErrorPosition, c.position);
    EXPECT_EQ(std::string(e.what()), TRegExpr::ErrorMessage(c.code) + " (pos " + std::to_string(c.position) + ")");
  }
  EXPECT_FALSE(r.IsCompiled());
  EXPECT_TRUE(r.Program().empty());
}

INSTANTIATE_TEST_SUITE_P(Groups, CompileError,
                         testing::Values(TErrorCase{"(((((((((((((((a)))))))))))))))", 102, 15},
                                         TErrorCase{"()()()()()()()()()()()()()()(", 102, 29}, TErrorCase{"(a", 103, 2},
                                         TErrorCase{"((a)|b", 103, 6}, TErrorCase{"a)", 104, 1},
                                         TErrorCase{"a|b)c", 104, 3}));

INSTANTIATE_TEST_SUITE_P(
    Quantifiers, CompileError,
    testing::Values(TErrorCase{"(a*)*", 106, 4}, TErrorCase{"(a*)+", 106, 4}, TErrorCase{"^*", 106, 1},
                    TErrorCase{"\\b+", 106, 2}, TErrorCase{"(?i)*", 106, 4}, TErrorCase{"(?#c){2}", 106, 5},
                    TErrorCase{"^{x}", 106, 1}, TErrorCase{"(a|)*", 106, 4}, TErrorCase{"(?x)a *", 106, 6},
                    TErrorCase{"(?x)a {2}", 106, 6}, TErrorCase{"a**", 107, 2}, TErrorCase{"a*??", 107, 3},
                    TErrorCase{"a{2}{3}", 107, 4}, TErrorCase{"a+*", 107, 2}, TErrorCase{"a*{x", 107, 2},
                    TErrorCase{"a{2}??", 107, 5}, TErrorCase{"a??*", 107, 3}, TErrorCase{"*a", 115, 1},
                    TErrorCase{"(|*)", 115, 3}, TErrorCase{"a|+b", 115, 3}, TErrorCase{"?", 115, 1}));

INSTANTIATE_TEST_SUITE_P(Braces, CompileError,
                         testing::Values(TErrorCase{"a{123456789}", 122, 11}, TErrorCase{"a{1,123456789}", 122, 13},
                                         TErrorCase{"a{123456789,x}", 122, 11}, TErrorCase{"a{3,2}", 124, 5},
                                         TErrorCase{"(ab){9,1}", 124, 8}));

// An empty operand is also refused when the emptiness comes from a zero minimum
// or from a code-0 escape, so that no loop can repeat an empty match for ever.
INSTANTIATE_TEST_SUITE_P(EmptyOperands, CompileError,
                         testing::Values(TErrorCase{"((a){0,3})*", 106, 10}, TErrorCase{"(a{0,3})+", 106, 8},
                                         TErrorCase{"(a{0})*", 106, 6}, TErrorCase{"(a{0,0}){2}", 106, 8},
                                         TErrorCase{"(a{0,3}){2}", 106, 8}, TErrorCase{"((a|)(b|)){3,}", 106, 10},
                                         TErrorCase{"\\x00*", 106, 4}, TErrorCase{"(\\x{})+", 106, 6}));

INSTANTIATE_TEST_SUITE_P(Escapes, CompileError,
                         testing::Values(TErrorCase{"\\xG1", 108, 2}, TErrorCase{"\\x4G", 108, 3},
                                         TErrorCase{"\\x{1G}", 108, 4}, TErrorCase{"[\\xZ0]", 108, 3},
                                         TErrorCase{"\\x4", 111, 3}, TErrorCase{"\\x", 111, 2},
                                         TErrorCase{"\\x{41", 111, 5}, TErrorCase{"[\\x", 111, 3},
                                         TErrorCase{"\\x{100}", 112, 5}, TErrorCase{"\\x{0000100}", 112, 9},
                                         TErrorCase{"a\\", 116, 2}, TErrorCase{"\\", 116, 1}));

INSTANTIATE_TEST_SUITE_P(Brackets, CompileError,
                         testing::Values(TErrorCase{"[z-a]", 109, 3}, TErrorCase{"[b-\\x41]", 109, 6},
                                         TErrorCase{"(?-r)[\xE0-\xDF]", 109, 8}, TErrorCase{"[a-\\", 109, 4},
                                         TErrorCase{"[\\x00-\\", 109, 7}, TErrorCase{"[ab\\", 110, 4},
                                         TErrorCase{"[ab", 113, 3}, TErrorCase{"[", 113, 1}, TErrorCase{"[]", 113, 2},
                                         TErrorCase{"[^]", 113, 3}, TErrorCase{"[a-", 113, 3}));

INSTANTIATE_TEST_SUITE_P(CommentsAndModifiers, CompileError,
                         testing::Values(TErrorCase{"(?#x", 125, 4}, TErrorCase{"a(?#", 125, 4},
                                         TErrorCase{"(?z)", 127, 3}, TErrorCase{"(?:a)", 127, 4},
                                         TErrorCase{"(?i-q)", 127, 5}, TErrorCase{"(?i", 127, 3},
                                         TErrorCase{"(?", 127, 2}, TErrorCase{"(?=a)", 127, 4}));

TEST(CompileErrorObject, FailedCompileLeavesTheObjectUsable) {
  TRegExpr r;
  r.SetExpression("(a");
  EXPECT_THROW(r.EnsureProgram(), ERegExpr);
  EXPECT_THROW(r.EnsureProgram(), ERegExpr);  // no program was kept, so it fails again
  r.SetExpression("a");
  EXPECT_TRUE(r.EnsureProgram());
  EXPECT_TRUE(r.IsCompiled());
}

TEST(CompileErrorObject, EmptyExpressionIsNotAssigned) {
  TRegExpr r;
  r.SetExpression("a");
  ASSERT_TRUE(r.EnsureProgram());
  r.SetExpression("");
  try {
    r.EnsureProgram();
    FAIL() << "an empty expression compiled";
  } catch (const ERegExpr& e) {
    EXPECT_EQ(e.ErrorNumber, 1003);
    EXPECT_EQ(e.ErrorPosition, 0);
    EXPECT_STREQ(e.what(), "TRegExpr(exec): Not Assigned Expression Property");
  }
  EXPECT_TRUE(r.Program().empty());
}

TEST(CompileErrorObject, PairedSeparatorNeedsTwoDifferentCharactersOrNone) {
  TRegExpr r;
  for (std::string_view bad : {"a", "aa", "abc", "\r\r"}) {
    try {
      r.SetLinePairedSeparator(bad);
      ADD_FAILURE() << "accepted \"" << bad << '"';
    } catch (const ERegExpr& e) {
      EXPECT_EQ(e.ErrorNumber, 128);
      EXPECT_EQ(e.ErrorPosition, 0);
      EXPECT_STREQ(e.what(),
                   "TRegExpr(comp): LinePairedSeparator must countain two different chars or no chars at all (pos 0)");
    }
  }
  EXPECT_NO_THROW(r.SetLinePairedSeparator(""));
  EXPECT_NO_THROW(r.SetLinePairedSeparator("\n\r"));
}

TEST(CompileErrorObject, ModifierIndexOutsideOneToSixIsRefused) {
  TRegExpr r;
  for (int index : {0, 7, -1}) {
    try {
      r.SetModifier(static_cast<TModifier>(index), true);
      ADD_FAILURE() << "accepted index " << index;
    } catch (const ERegExpr& e) {
      EXPECT_EQ(e.ErrorNumber, 1013);
      EXPECT_STREQ(e.what(), "Unknown error");
    }
  }
  EXPECT_EQ(r.Modifiers(), 1 | 2 | 4 | 8);
}

}  // namespace
