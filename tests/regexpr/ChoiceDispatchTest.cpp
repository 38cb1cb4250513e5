// The choices' dispatch tries only the alternatives whose leading literal
// stands at the position. It must find exactly the match that trying every
// alternative finds, raise what that raises, and keep the work of a long list
// near that of one alternative.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "regexpr/MatchLimits.h"
#include "regexpr/RegExpr.h"
#include "tests/regexpr/support/ProgramBuilder.h"
#include "tests/regexpr/support/ReferenceMatcher.h"
#include "tests/support/Cp1251Literal.h"

namespace {

using namespace regexpr;

constexpr int64_t Plenty = INT64_MAX / 2;

struct TOutcome {
  int Error = 0;
  bool Found = false;
  std::vector<int> Spans;  // start and end of every group, 0 included
  int64_t Steps = 0;
  friend bool operator==(const TOutcome& a, const TOutcome& b) {
    return a.Error == b.Error && a.Found == b.Found && a.Spans == b.Spans;
  }
};

TOutcome Outcome(TRegExpr& regex, const std::string& input) {
  TStepBudget budget(Plenty);
  regex.SetStepBudget(&budget);
  TOutcome outcome;
  try {
    outcome.Found = regex.Exec(input);
  } catch (const ERegExpr& error) {
    outcome.Error = error.ErrorNumber;
  }
  for (int group = 0; group < MaxGroups; ++group) {
    outcome.Spans.push_back(regex.GroupStart(group));
    outcome.Spans.push_back(regex.GroupEnd(group));
  }
  outcome.Steps = Plenty - budget.Remaining();
  return outcome;
}

// Alternations over words that share beginnings and cases, nested, empty,
// anchored, quantified, with case switched inside them and back-references.
class TAlternationGenerator {
 public:
  explicit TAlternationGenerator(uint32_t seed) : random_(seed) {}

  std::string Expression() {
    groups_ = 0;
    return Alternation(0);
  }

  std::string Text() {
    static const std::vector<std::string> letters = {"a", "b", "A", Cp("я"), Cp("Я"), Cp("в"), " "};
    std::string text;
    for (int length = Below(12); length > 0; --length) text += letters[static_cast<size_t>(Below(7))];
    return text;
  }

 private:
  int Below(int n) { return static_cast<int>(random_() % static_cast<uint32_t>(n)); }

  std::string Alternation(int depth) {
    std::string text = Sequence(depth);
    for (int count = 1 + Below(depth == 0 ? 8 : 5); count > 0; --count) text += "|" + Sequence(depth);
    return text;
  }

  std::string Sequence(int depth) {
    std::string text;
    if (Below(8) == 0) return text;
    for (int pieces = 1 + Below(3); pieces > 0; --pieces) text += Piece(depth);
    return text;
  }

  std::string Piece(int depth) {
    static const std::vector<std::string> words = {"a", "ab", "aab", "ba", "abab", Cp("я"), Cp("Яя"), Cp("яa"), "A"};
    static const std::vector<std::string> zeroWidth = {"^", "$", "\\b", "(?i)", "(?-i)"};
    static const std::vector<std::string> quantifiers = {"*", "+", "?", "{1,2}", "*?", "??", "{0,2}"};
    const int kind = Below(20);
    std::string atom;
    if (kind < 11) atom = words[static_cast<size_t>(Below(static_cast<int>(words.size())))];
    else if (kind < 15 && depth < 3 && groups_ < 9) atom = "(" + Group(depth) + ")";
    else if (kind < 17) return zeroWidth[static_cast<size_t>(Below(static_cast<int>(zeroWidth.size())))];
    else if (kind == 17 && groups_ > 0) return "\\" + std::to_string(1 + Below(groups_));
    else atom = Below(2) == 0 ? "[ab]" : ".";
    if (Below(4) == 0) atom += quantifiers[static_cast<size_t>(Below(static_cast<int>(quantifiers.size())))];
    return atom;
  }

  std::string Group(int depth) {
    ++groups_;
    return Alternation(depth + 1);
  }

  std::mt19937 random_;
  int groups_ = 0;
};

TEST(ChoiceDispatch, FindsWhatTryingEveryAlternativeFinds) {
  TAlternationGenerator generate(20261210);
  int compiled = 0;
  int compared = 0;
  int modelled = 0;
  int spared = 0;  // executions that took fewer steps with the dispatch
  std::vector<std::string> mismatches;
  for (int e = 0; e < 900; ++e) {
    const std::string expression = generate.Expression();
    TRegExpr dispatched;
    TRegExpr plain;
    TRegExpr memoFirst;
    TProgramProbe::WithoutChoiceDispatch(plain);
    TProgramProbe::MemoFromFirstStep(memoFirst);
    for (TRegExpr* regex : {&dispatched, &plain, &memoFirst}) regex->SetExpression(expression);
    const int error = Outcome(plain, "").Error;
    if (error != 0 && error < FirstExecutionError) continue;
    ++compiled;
    // The model leaves a group unset where an optional group matched empty
    // text, so a back-reference to it may read otherwise.
    bool referring = false;
    for (size_t at = expression.find('\\'); at != std::string::npos; at = expression.find('\\', at + 2))
      referring = referring || (at + 1 < expression.size() && expression[at + 1] >= '1' && expression[at + 1] <= '9');
    const reference::TParseResult model = referring ? reference::TParseResult{} : reference::Parse(expression);
    for (int t = 0; t < 30; ++t) {
      const std::string input = generate.Text();
      const TOutcome expected = Outcome(plain, input);
      const TOutcome found = Outcome(dispatched, input);
      const TOutcome memo = Outcome(memoFirst, input);
      ++compared;
      spared += found.Steps < expected.Steps;
      if (!(found == expected) || !(memo == expected)) mismatches.push_back(expression + " on " + input);
      if (model.Root && expected.Error == 0) {
        const reference::TMatch reference = reference::Search(*model.Root, input);
        ++modelled;
        if (reference.Found != found.Found ||
            (found.Found && (reference.Start != found.Spans[0] || reference.End != found.Spans[1])))
          mismatches.push_back("model: " + expression + " on " + input);
      }
    }
  }
  EXPECT_TRUE(mismatches.empty()) << mismatches.size() << " mismatches, first " << mismatches.front();
  EXPECT_GT(compiled, 500);
  EXPECT_GT(modelled, 5000);
  EXPECT_GT(spared, compared / 5) << "the dispatch took part";
}

std::string Choice(const std::vector<std::string>& words) {
  std::string text = "(";
  for (const std::string& word : words) text += (text.size() > 1 ? "|" : "") + word;
  return text + ")";
}

// Lists long enough for the table of first pairs, of words that are each
// other's beginnings, with a few alternatives of no literal start among them.
TEST(ChoiceDispatch, LongListsFindWhatTryingEveryAlternativeFinds) {
  std::mt19937 random(1251);
  const std::vector<std::string> letters = {"a", "b", "A", Cp("я"), Cp("Я")};
  const std::vector<std::string> others = {"", "[ab]a", ".b", "\\ba", "(?-i)A", "a*b"};
  auto word = [&](int longest) {
    std::string text;
    for (int length = 1 + static_cast<int>(random() % static_cast<uint32_t>(longest)); length > 0; --length)
      text += letters[random() % letters.size()];
    return text;
  };
  int mismatches = 0;
  int found = 0;
  for (int e = 0; e < 120; ++e) {
    std::vector<std::string> words;
    for (int n = 16 + static_cast<int>(random() % 200); n > 0; --n)
      words.push_back(random() % 25 == 0 ? others[random() % others.size()] : word(e % 2 == 0 ? 3 : 20));
    const std::vector<std::string> contexts = {"", "^", "(?-i)", "\\b"};
    const std::string expression =
        contexts[static_cast<size_t>(e) % contexts.size()] + Choice(words) + (e % 3 == 0 ? "$" : "b?");
    TRegExpr dispatched;
    TRegExpr plain;
    TProgramProbe::WithoutChoiceDispatch(plain);
    dispatched.SetExpression(expression);
    plain.SetExpression(expression);
    for (int t = 0; t < 40; ++t) {
      const std::string input = word(24) + (t % 2 == 0 ? " " + words[random() % words.size()] : "");
      const TOutcome expected = Outcome(plain, input);
      found += expected.Found;
      if (!(Outcome(dispatched, input) == expected) && ++mismatches < 5) ADD_FAILURE() << expression << " on " << input;
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_GT(found, 1000);
}

// Words of four to seven letters over a few Russian letters, so that
// many share their first ones.
std::vector<std::string> Words(int count) {
  std::vector<std::string> words;
  std::mt19937 random(7);
  while (static_cast<int>(words.size()) < count) {
    std::string word;
    for (int length = 4 + static_cast<int>(random() % 4); length > 0; --length)
      word += static_cast<char>(0xE0 + random() % 6);  // а to е
    words.push_back(word);
  }
  return words;
}

int64_t StepsOf(TRegExpr& regex, const std::string& input, bool expected) {
  const TOutcome outcome = Outcome(regex, input);
  EXPECT_EQ(outcome.Found, expected) << input;
  EXPECT_EQ(outcome.Error, 0);
  return outcome.Steps;
}

TEST(ChoiceDispatch, AListCostsAboutWhatOneWordCosts) {
  const std::string name = Cp("Петрова Анна Сергеевна ") + Words(1000)[999] + " ";
  int64_t steps[2] = {};
  for (int i = 0; i < 2; ++i) {
    TRegExpr regex;
    regex.SetExpression(Choice(Words(i == 0 ? 10 : 1000)) + "\\s");
    steps[i] = StepsOf(regex, name, i == 1);
  }
  EXPECT_LT(steps[1], 3 * steps[0] + 50);

  TRegExpr plain;
  TProgramProbe::WithoutChoiceDispatch(plain);
  plain.SetExpression(Choice(Words(1000)) + "\\s");
  EXPECT_GT(StepsOf(plain, name, true), 50 * steps[1]);

  TRegExpr numbers;
  std::vector<std::string> list;
  for (int n = 0; n < 1000; ++n) list.push_back(std::to_string(8452000000 + 7919 * n));
  numbers.SetExpression("^" + Choice(list) + "$");
  EXPECT_LT(StepsOf(numbers, list[777], true), 30);
  EXPECT_LT(StepsOf(numbers, "8452999999", false), 30);
}

// Alternatives that the trie cannot tell apart are each tried and each counted.
TEST(ChoiceDispatch, EveryTriedAlternativeIsCounted) {
  TRegExpr same;
  same.SetExpression(Choice(std::vector<std::string>(1000, "ab")) + "c");
  EXPECT_GT(StepsOf(same, "abx", false), 1000);

  const std::string prefix(TChoiceDispatch::MaxKeyDepth, 'a');
  std::vector<std::string> longWords;
  for (int n = 0; n < 300; ++n) longWords.push_back(prefix + std::to_string(n));
  TRegExpr shared;
  shared.SetExpression("(?-i)" + Choice(longWords));
  EXPECT_GT(StepsOf(shared, prefix + "x", false), 300);

  TRegExpr hostile;
  hostile.SetExpression("(ab|ab|ab|ab|ab|ab|ab|ab)*\\1c");
  EXPECT_EQ(Outcome(hostile, "abababababababababababababababababababab").Error, ErrorMatchTooLong);
}

// A chain whose last alternative leads out of the program raises once every
// alternative has failed, whether or not they start with literals.
TEST(ChoiceDispatch, AChainThatLeavesTheProgramStillRaises) {
  TProgramBuilder program;
  std::vector<int> alternatives;
  for (const char* word : {"ab", "cd", "ef"}) {
    alternatives.push_back(program.Node(opAlternative));
    program.Node(opLiteral);
    program.Text(word);
  }
  const int end = program.Node(opEnd);
  for (size_t i = 0; i < alternatives.size(); ++i) {
    const int literal = alternatives[i] + NodeHeaderSize;
    program.Link(literal, end);
    if (i + 1 < alternatives.size()) program.Link(alternatives[i], alternatives[i + 1]);
  }
  program.LinkRaw(alternatives.back(), 100000);
  for (bool dispatch : {true, false}) {
    TRegExpr regex;
    TProgramProbe::Install(regex, program.Bytes());
    if (!dispatch) TProgramProbe::WithoutChoiceDispatch(regex);
    EXPECT_TRUE(Outcome(regex, "cd").Found);
    EXPECT_EQ(Outcome(regex, "xyz").Error, ErrorCorruptedPointers);
  }
}

}  // namespace
