// The engine against the reference model over a generated space: every
// expression of a few operators over a small alphabet with one Cyrillic pair,
// on every input up to a few characters. Both must agree on acceptance, on
// whether a match is found, on the whole-match span and on the span of group 1.
// The engine runs once as it is and once with its failure memo considered from
// the first step, which these short inputs would otherwise never reach.

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "regexpr/RegExpr.h"
#include "tests/regexpr/support/ProgramBuilder.h"
#include "tests/regexpr/support/ReferenceMatcher.h"

namespace {

const std::string Ya = "\xFF";       // я
const std::string YaUpper = "\xDF";  // Я

std::vector<std::string> Atoms() { return {"a", "b", Ya, ".", "[ab]", "[^a]", "[\xE0-\xFF]", "^", "$", "\\b"}; }

std::vector<std::string> Unary(const std::string& x) {
  return {"(" + x + ")",   x + "*",
          x + "+",         x + "?",
          x + "*?",        x + "+?",
          x + "??",        x + "{1,2}",
          x + "{2}",       "(" + x + "){0,2}",
          "(" + x + ")+?", "(" + x + "){1,2}?"};
}

std::vector<std::string> Binary(const std::string& x, const std::string& y) { return {x + y, x + "|" + y}; }

std::vector<std::string> BackReferences(const std::string& x, const std::string& y) {
  return {"(" + x + ")\\1",          "(" + x + ")\\1*",          "(" + x + ")+\\1",
          "(" + x + ")" + y + "\\1", "(" + x + ")|" + y + "\\1", "(" + x + "|" + y + ")*\\1"};
}

std::vector<std::string> Inputs(int maxLength) {
  const std::vector<std::string> alphabet = {"a", "b", Ya, YaUpper};
  std::vector<std::string> inputs = {""};
  for (size_t from = 0; from < inputs.size(); ++from) {
    if (static_cast<int>(inputs[from].size()) == maxLength) continue;
    for (const std::string& letter : alphabet) inputs.push_back(inputs[from] + letter);
  }
  return inputs;
}

std::string Printable(const std::string& text) {
  std::ostringstream out;
  for (unsigned char c : text) {
    if (c >= 32 && c < 127) out << c;
    else out << "\\x" << std::hex << static_cast<int>(c) << std::dec;
  }
  return out.str();
}

struct TDifferential {
  int Compared = 0;
  int Rejected = 0;
  int MemoExecutions = 0;   // memo-first executions that used the memo
  int PlainExecutions = 0;  // and those that were kept from it
  std::vector<std::string> Mismatches;

  void Note(const std::string& text) {
    if (Mismatches.size() < 25) Mismatches.push_back(text);
  }

  void Check(const std::string& expression, const std::vector<std::string>& inputs) {
    const reference::TParseResult model = reference::Parse(expression);
    if (model.ErrorCode < 0) return;  // outside the model
    TRegExpr engine;
    engine.SetExpression(expression);
    int engineError = 0;
    try {
      engine.Exec("");
    } catch (const ERegExpr& error) {
      engineError = error.ErrorNumber;
    }
    if (engineError != model.ErrorCode) {
      Note("/" + Printable(expression) + "/ engine error " + std::to_string(engineError) + ", model " +
           std::to_string(model.ErrorCode));
      return;
    }
    if (engineError != 0) {
      ++Rejected;
      return;
    }
    TRegExpr memoFirst;
    TProgramProbe::MemoFromFirstStep(memoFirst);
    memoFirst.SetExpression(expression);
    for (const std::string& input : inputs) {
      Compare(engine, *model.Root, expression, input);
      Compare(memoFirst, *model.Root, "memo " + expression, input);
      ++(TProgramProbe::MemoUsed(memoFirst) ? MemoExecutions : PlainExecutions);
    }
  }

  void Compare(TRegExpr& engine, const reference::TNode& model, const std::string& label, const std::string& input) {
    ++Compared;
    const bool found = engine.Exec(input);
    const reference::TMatch expected = reference::Search(model, input);
    const bool sameSpans = engine.GroupStart(0) == expected.Start && engine.GroupEnd(0) == expected.End &&
                           engine.GroupStart(1) == expected.FirstGroupStart &&
                           engine.GroupEnd(1) == expected.FirstGroupEnd;
    if (found == expected.Found && (!found || sameSpans)) return;
    std::ostringstream out;
    out << "/" << Printable(label) << "/ on \"" << Printable(input) << "\": engine " << found << " ["
        << engine.GroupStart(0) << "," << engine.GroupEnd(0) << ") group 1 [" << engine.GroupStart(1) << ","
        << engine.GroupEnd(1) << "), model " << expected.Found << " [" << expected.Start << "," << expected.End
        << ") group 1 [" << expected.FirstGroupStart << "," << expected.FirstGroupEnd << ")";
    Note(out.str());
  }

  std::string Report() const {
    std::string report;
    for (const std::string& line : Mismatches) report += line + "\n";
    return report;
  }
};

std::vector<std::string> SmallExpressions() {
  std::set<std::string> expressions;
  for (const std::string& x : Atoms()) {
    expressions.insert(x);
    for (const std::string& u : Unary(x)) expressions.insert(u);
    for (const std::string& y : Atoms())
      for (const std::string& b : Binary(x, y)) expressions.insert(b);
  }
  return {expressions.begin(), expressions.end()};
}

TEST(Differential, OneOperatorOnInputsUpToFive) {
  const std::vector<std::string> inputs = Inputs(5);
  TDifferential run;
  for (const std::string& expression : SmallExpressions())
    for (const char* prefix : {"", "(?-i)", "(?-g)"}) run.Check(prefix + expression, inputs);
  EXPECT_TRUE(run.Mismatches.empty()) << run.Report();
  EXPECT_GT(run.Compared, 600000);
  EXPECT_GT(run.MemoExecutions, 100000);
  EXPECT_GT(run.PlainExecutions, 10000) << "counted loops keep the memo out";
}

TEST(Differential, LineModifiersOnInputsWithLineBreaks) {
  const std::vector<std::string> alphabet = {"a", "\r", "\n", Ya};
  std::vector<std::string> inputs = {""};
  for (size_t from = 0; from < inputs.size(); ++from)
    if (inputs[from].size() < 4)
      for (const std::string& letter : alphabet) inputs.push_back(inputs[from] + letter);
  TDifferential run;
  for (const std::string& expression : SmallExpressions())
    for (const char* prefix : {"(?m)", "(?-s)", "(?-r)", "(?m-si)"}) run.Check(prefix + expression, inputs);
  EXPECT_TRUE(run.Mismatches.empty()) << run.Report();
  EXPECT_GT(run.MemoExecutions, 100000);
}

// Extended syntax is outside the model: there the memo is held to the engine
// without it.
TEST(Differential, MemoChangesNothingUnderExtendedSyntax) {
  const std::vector<std::string> inputs = Inputs(5);
  int used = 0;
  std::vector<std::string> mismatches;
  for (const std::string& expression : SmallExpressions()) {
    const std::string extended = "(?x) " + expression + " # blank and comment";
    TRegExpr plain;
    TRegExpr memoFirst;
    TProgramProbe::MemoFromFirstStep(memoFirst);
    plain.SetExpression(extended);
    memoFirst.SetExpression(extended);
    try {
      plain.Exec("");
    } catch (const ERegExpr&) {
      continue;
    }
    for (const std::string& input : inputs) {
      const bool found = plain.Exec(input);
      const bool memoFound = memoFirst.Exec(input);
      used += TProgramProbe::MemoUsed(memoFirst);
      bool same = found == memoFound;
      for (int group = 0; group < 3; ++group)
        same = same && plain.GroupStart(group) == memoFirst.GroupStart(group) &&
               plain.GroupEnd(group) == memoFirst.GroupEnd(group);
      if (!same && mismatches.size() < 25) mismatches.push_back(Printable(extended) + " on " + Printable(input));
    }
  }
  EXPECT_TRUE(mismatches.empty()) << mismatches.front();
  EXPECT_GT(used, 100000);
}

TEST(Differential, TwoOperatorsOnInputsUpToFour) {
  const std::vector<std::string> inputs = Inputs(4);
  const std::vector<std::string> small = SmallExpressions();
  std::set<std::string> expressions;
  for (const std::string& x : small) {
    for (const std::string& u : Unary(x)) expressions.insert(u);
    for (const std::string& y : {std::string("a"), Ya, std::string(".")})
      for (const std::string& b : Binary(x, y)) {
        expressions.insert(b);
        for (const std::string& c : Binary(y, x)) expressions.insert(c);
      }
  }
  TDifferential run;
  for (const std::string& expression : expressions) run.Check(expression, inputs);
  EXPECT_TRUE(run.Mismatches.empty()) << run.Report();
  EXPECT_GT(run.Rejected, 0);  // the space reaches the syntax errors too
}

TEST(Differential, BackReferencesOnInputsUpToFive) {
  const std::vector<std::string> inputs = Inputs(5);
  std::set<std::string> expressions;
  for (const std::string& x : {std::string("a"), Ya, std::string("."), std::string("a|b"), std::string("a+"),
                               std::string("[ab]"), std::string("a*?"), std::string("\\b")})
    for (const std::string& y : {std::string("a"), std::string("b*"), YaUpper, std::string("")})
      for (const std::string& r : BackReferences(x, y)) {
        expressions.insert(r);
        expressions.insert("(?-i)" + r);
      }
  TDifferential run;
  for (const std::string& expression : expressions) run.Check(expression, inputs);
  EXPECT_TRUE(run.Mismatches.empty()) << run.Report();
  EXPECT_EQ(run.MemoExecutions, 0) << "a back-reference reads what the path captured";
}

}  // namespace
