// The texts a program promises: every subject that the engine, or the reference
// model, matches must hold one of them once both are lower-cased, or a caller
// filtering by them loses results.

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "cp1251/Cp1251Table.h"
#include "regexpr/RegExpr.h"
#include "regexpr/RequiredTexts.h"
#include "tests/regexpr/support/ReferenceMatcher.h"
#include "tests/support/Cp1251Literal.h"

namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(cp1251::LowerCase[static_cast<unsigned char>(c)]);
  return lower;
}

struct TPromise {
  std::vector<std::string> Texts;
  bool Decisive = false;
  bool AtStart = false;
};

// Nothing for an expression that does not compile.
TPromise PromiseOf(const std::string& expression) {
  TRegExpr regex;
  regex.SetExpression(expression);
  try {
    regex.EnsureProgram();
  } catch (const ERegExpr&) {
    return {};
  }
  const regexpr::TRequiredTexts required = regexpr::RequiredTexts(regex.Program());
  TPromise promise{{}, required.Decisive, required.AtStart};
  for (std::string_view text : required.Texts) promise.Texts.emplace_back(text);
  return promise;
}

std::vector<std::string> Promised(const std::string& expression) { return PromiseOf(expression).Texts; }

bool HoldsOne(const std::string& subject, const TPromise& promise) {
  const std::string lower = Lower(subject);
  for (const std::string& text : promise.Texts) {
    const size_t at = lower.find(Lower(text));
    if (at == 0 || (at != std::string::npos && !promise.AtStart)) return true;
  }
  return false;
}

std::vector<std::string> Expressions() {
  const std::vector<std::string> atoms = {"ab", "a", "b", Cp("я"), Cp("Я") + "a", ".", "[ab]", "^", "$"};
  std::set<std::string> one;
  for (const std::string& x : atoms) {
    for (const std::string& u : {x, "(" + x + ")", x + "*", x + "+", x + "?", x + "{2}", "(" + x + "){0,2}",
                                 "(" + x + ")+", "(" + x + "){1,3}?", "(" + x + ")*"})
      one.insert(u);
  }
  std::set<std::string> all(one.begin(), one.end());
  for (const std::string& x : one) {
    for (const std::string& y : atoms) {
      all.insert(x + y);
      all.insert(x + "|" + y);
      all.insert("(" + x + "|" + y + ")" + y);
      all.insert(y + "(" + x + "|b" + y + ")");
      all.insert("^(" + x + "|" + y + ")" + y);
      all.insert("^" + y + x);
    }
  }
  return {all.begin(), all.end()};
}

std::vector<std::string> Subjects() {
  const std::vector<std::string> alphabet = {"a", "b", Cp("я"), Cp("Я"), "\n"};
  std::vector<std::string> subjects = {""};
  for (size_t from = 0; from < subjects.size(); ++from) {
    if (subjects[from].size() == 4) continue;
    for (const std::string& letter : alphabet) subjects.push_back(subjects[from] + letter);
  }
  return subjects;
}

}  // namespace

TEST(RequiredTexts, EveryMatchedSubjectHoldsOneUnderEveryModifier) {
  const std::vector<std::string> subjects = Subjects();
  int promising = 0;
  int decisive = 0;
  int atStart = 0;
  int passedOver = 0;
  std::vector<std::string> wrong;
  for (const std::string& expression : Expressions()) {
    for (const char* prefix : {"", "(?-i)", "(?x) ", "(?m)", "(?-s)", "(?-r)", "(?-g)"}) {
      const std::string full = prefix + expression;
      const TPromise promise = PromiseOf(full);
      if (promise.Texts.empty()) continue;
      ++promising;
      decisive += promise.Decisive;
      atStart += promise.AtStart;
      TRegExpr regex;
      regex.SetExpression(full);
      const reference::TParseResult model = reference::Parse(full);  // no model of extended syntax
      for (const std::string& subject : subjects) {
        const bool holds = HoldsOne(subject, promise);
        passedOver += !holds;
        if (holds && !promise.Decisive) continue;
        const bool engine = regex.Exec(subject);
        const bool modelled = model.Root ? reference::Search(*model.Root, subject).Found : engine;
        if ((engine != holds || modelled != holds) && wrong.size() < 10)
          wrong.push_back(full + " on \"" + subject + "\"");
      }
    }
  }
  EXPECT_TRUE(wrong.empty()) << wrong.front();
  EXPECT_GT(promising, 1000);
  EXPECT_GT(decisive, 20);
  EXPECT_GT(atStart, 100);
  EXPECT_GT(passedOver, 500000);
}

// A decisive promise trusts lower-casing to agree with the engine's case swap.
TEST(RequiredTexts, LowerCaseAgreesWithTheEngineOnEveryPairOfBytes) {
  std::vector<std::string> wrong;
  for (int c = 1; c < 256; ++c) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", c);
    TRegExpr regex;
    regex.SetExpression(hex);
    for (int s = 1; s < 256; ++s) {
      const std::string subject(1, static_cast<char>(s));
      const bool sameLower = Lower(subject) == Lower(std::string(1, static_cast<char>(c)));
      if (regex.Exec(subject) != sameLower && wrong.size() < 10)
        wrong.push_back(std::to_string(c) + " " + std::to_string(s));
    }
  }
  EXPECT_TRUE(wrong.empty()) << wrong.front();
}

TEST(RequiredTexts, ChoicesPromiseOneTextOfEachAlternative) {
  EXPECT_EQ(Promised(Cp("иван")), std::vector<std::string>{Cp("иван")});
  EXPECT_EQ(Promised(Cp("^(иван|петр)ов")), (std::vector<std::string>{Cp("иван"), Cp("петр")}));
  EXPECT_EQ(Promised(Cp("(?-i)Иван")), std::vector<std::string>{Cp("Иван")});
  EXPECT_EQ(Promised("(ab)*c"), std::vector<std::string>{"c"});
  EXPECT_EQ(Promised("a(bc){2,3}d"), std::vector<std::string>{"a"});
  EXPECT_EQ(Promised("[ab](a|b)+"), (std::vector<std::string>{"a", "b"}));
  const TPromise surnames = PromiseOf(Cp("^(иван|петр)ов"));
  EXPECT_TRUE(surnames.AtStart);
  EXPECT_EQ(surnames.Texts, (std::vector<std::string>{Cp("иван"), Cp("петр")}));
  EXPECT_FALSE(PromiseOf(Cp("(?m)^иван")).AtStart) << "a line may start anywhere";
  EXPECT_FALSE(PromiseOf(Cp("^иван|петр")).AtStart);
  EXPECT_FALSE(PromiseOf(Cp("^(иван|п*етр)")).AtStart);
  for (const char* expression : {"иван", "(?x) и в а н", "иван|петр", "((иван)|(?i)петр)", "(?-i)(?i)иван"})
    EXPECT_TRUE(PromiseOf(Cp(expression)).Decisive) << expression;
  for (const char* expression : {"(?-i)иван", "^иван", "иван.", "иван|петр*", "(иван|петр)ов", "иван|"})
    EXPECT_FALSE(PromiseOf(Cp(expression)).Decisive) << expression;
}

TEST(RequiredTexts, NothingPromisedWhereAMatchMayHoldNoLiteral) {
  for (const char* expression :
       {"(ab)*", "a?b?", "ab|c*", "^$|^ab", "[ab]+", "(a|b)*", "a{0,3}", "\\d\\w", "(ab){0,2}", "a*?", "(a|)b?"}) {
    EXPECT_TRUE(Promised(expression).empty()) << expression;
  }
  EXPECT_TRUE(regexpr::RequiredTexts("").Texts.empty());
  EXPECT_TRUE(regexpr::RequiredTexts("\x01\x08").Texts.empty());  // no program signature
}
