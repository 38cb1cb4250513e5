// Hand-assembled programs: the matcher's own errors and the guards that no
// compiled expression reaches.

#include <gtest/gtest.h>

#include "regexpr/MatchLimits.h"
#include "regexpr/RegExpr.h"
#include "tests/regexpr/support/ProgramBuilder.h"

namespace {

using namespace regexpr;

int ErrorOf(TRegExpr& regex, std::string_view input) {
  try {
    regex.Exec(input);
  } catch (const ERegExpr& error) {
    return error.ErrorNumber;
  }
  return 0;
}

int ErrorOf(const TProgramBuilder& program, std::string_view input) {
  TRegExpr regex;
  TProgramProbe::Install(regex, program.Bytes());
  return ErrorOf(regex, input);
}

TEST(MatchProgram, HandAssembledLiteralMatches) {
  TProgramBuilder program;
  const int literal = program.Node(opLiteral);
  program.Text("ab");
  program.Link(literal, program.Node(opEnd));
  TRegExpr regex;
  TProgramProbe::Install(regex, program.Bytes());
  EXPECT_TRUE(regex.Exec("xaby"));
  EXPECT_EQ(regex.GroupStart(0), 1);
  EXPECT_EQ(regex.GroupEnd(0), 3);
  EXPECT_FALSE(regex.Exec("xa"));
}

TEST(MatchProgram, UnknownOpcodeIsMemoryCorruption) {
  for (uint8_t opcode : {4, 5, 14, 21, 39, 54, 69, 255}) {
    TProgramBuilder program;
    program.Node(opcode);
    EXPECT_EQ(ErrorOf(program, "x"), 1001) << int(opcode);
  }
}

TEST(MatchProgram, MissingOrStrayNextNodeIsCorruptedPointers) {
  TProgramBuilder dangling;
  dangling.Node(opEmpty);  // passes, then has nowhere to go
  EXPECT_EQ(ErrorOf(dangling, "x"), 1002);

  TProgramBuilder outside;
  const int node = outside.Node(opEmpty);
  outside.LinkRaw(node, 1000);
  outside.Node(opEnd);
  EXPECT_EQ(ErrorOf(outside, "x"), 1002);

  TProgramBuilder backwards;
  const int first = backwards.Node(opNoOp);
  backwards.LinkRaw(first, -3);
  EXPECT_EQ(ErrorOf(backwards, "x"), 1002);
}

TEST(MatchProgram, RepeatOfAComplexOperandIsCalledInappropriately) {
  TProgramBuilder program;
  const int star = program.Node(opStar);
  program.Node(opAlternative);
  program.Link(star, program.Node(opEnd));
  EXPECT_EQ(ErrorOf(program, "x"), 1000);
}

TEST(MatchProgram, LoopWithoutEntry) {
  TProgramBuilder program;
  const int loop = program.Node(opLoop);
  program.Int32(0).Int32(1).Int32(0);
  program.Link(loop, program.Node(opEnd));
  EXPECT_EQ(ErrorOf(program, "x"), 1015);
}

// The loop of alternatives that a greedy "*" over a group compiles to, with an
// operand that matches the empty text: A tries the operand and jumps back to
// itself, C leads on.
TProgramBuilder EmptyStarLoop() {
  TProgramBuilder program;
  const int a = program.Node(opAlternative);
  const int operand = program.Node(opEmpty);
  const int jumpBack = program.Node(opJumpBack);
  const int c = program.Node(opAlternative);
  const int d = program.Node(opEmpty);
  const int end = program.Node(opEnd);
  program.Link(a, c);
  program.Link(operand, jumpBack);
  program.Link(jumpBack, a);
  program.Link(c, d);
  program.Link(d, end);
  return program;
}

TEST(MatchProgram, ChoiceLoopOverAnEmptyOperandEnds) {
  TRegExpr regex;
  TProgramProbe::Install(regex, EmptyStarLoop().Bytes());
  EXPECT_TRUE(regex.Exec("xy"));
  EXPECT_EQ(regex.GroupStart(0), 0);
  EXPECT_EQ(regex.GroupEnd(0), 0);
}

// The "+" form: operand, then a choice between jumping back and going on.
TEST(MatchProgram, PlusLoopOverAnEmptyOperandEnds) {
  TProgramBuilder program;
  const int operand = program.Node(opNoOp);
  const int n = program.Node(opAlternative);
  const int jumpBack = program.Node(opJumpBack);
  const int c = program.Node(opAlternative);
  const int d = program.Node(opEmpty);
  const int literal = program.Node(opLiteral);
  program.Text("y");
  const int end = program.Node(opEnd);
  program.Link(operand, n);
  program.Link(n, c);
  program.Link(jumpBack, operand);
  program.Link(c, d);
  program.Link(d, literal);
  program.Link(literal, end);
  TRegExpr regex;
  TProgramProbe::Install(regex, program.Bytes());
  EXPECT_TRUE(regex.Exec("xy"));
  EXPECT_EQ(regex.GroupStart(0), 1);
  EXPECT_FALSE(regex.Exec("xz"));
}

TEST(MatchProgram, CountedLoopOverAnEmptyBodyStopsAtTheDepthBound) {
  TProgramBuilder program;
  const int entry = program.Node(opLoopEntry);
  const int body = program.Node(opEmpty);
  const int loop = program.Node(opLoop);
  program.Int32(0).Int32(MaxRepeatCount).Int32(body - loop);
  const int literal = program.Node(opLiteral);
  program.Text("q");
  const int end = program.Node(opEnd);
  program.Link(entry, loop);
  program.Link(body, loop);
  program.Link(loop, literal);
  program.Link(literal, end);
  EXPECT_EQ(ErrorOf(program, "x"), ErrorMatchTooDeep);
}

TEST(MatchProgram, NegativeRepeatBoundsAreCorruption) {
  TProgramBuilder program;
  const int repeat = program.Node(opRepeat);
  program.Int32(-1).Int32(2);
  program.Node(opAnyChar);
  program.Link(repeat, program.Node(opEnd));
  EXPECT_EQ(ErrorOf(program, "x"), 1001);
}

TEST(MatchProgram, ErrorLeavesTheObjectUsable) {
  TProgramBuilder broken;
  broken.Node(4);
  TRegExpr regex;
  TProgramProbe::Install(regex, broken.Bytes());
  EXPECT_EQ(ErrorOf(regex, "x"), 1001);
  regex.SetExpression("b");
  EXPECT_TRUE(regex.Exec("ab"));
  EXPECT_EQ(regex.GroupStart(0), 1);
}

}  // namespace
