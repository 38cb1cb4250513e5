// Engine steps per second, the figure behind the step bounds of MatchLimits.h.
// Each iteration runs one expression over the subscriber names or numbers of
// the benchmark workload, or over the longest names of one capital letter,
// line after line and round again, until a step budget
// of a fixed size is spent, as a search does; executions that reach their own
// bound still count. The slowest expression sets the figure, since the bounds
// must hold whatever the expression.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bench/regexpr/support/SubscriberTexts.h"
#include "data/Cp1251.h"
#include "regexpr/MatchLimits.h"
#include "regexpr/RegExpr.h"

namespace {

using regexpr::ErrorStepBudgetSpent;

constexpr int Subscribers = 100'000;

enum class TLines { Numbers, Names, CapitalRuns };

struct TStepCase {
  const char* Label;
  const char* Expression;  // UTF-8
  TLines Lines;
};

std::string RepeatedText(const std::string& unit, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += unit;
  return text;
}

const std::vector<TStepCase>& StepCases() {
  static const std::string zeroWidthChain = RepeatedText("\\B", 2000) + "[а-я]ъ";
  static const std::vector<TStepCase> cases = {
      {"choice loop, memo", "(\\d|\\d|\\d)*x", TLines::Numbers},
      {"choice loop over names, memo", "(а|б|в|[а-я])*ъъ", TLines::Names},
      {"lazy choice loop, no memo", "(?-g)(\\d|\\d|\\d)*x", TLines::Numbers},
      {"back-reference, no memo", "(а|а|[а-я])*\\1ъ", TLines::Names},
      {"nested repetition", "(а+)+б", TLines::Names},
      {"runs of repetitions", "[а-я]*[а-я]*[а-я]*[а-я]*ъ", TLines::Names},
      {"runs of any character", ".*.*.*=", TLines::Names},
      {"groups of any character", "(.*)(.*)(.*)=", TLines::Names},
      {"long zero-width chain", zeroWidthChain.c_str(), TLines::Names},
      {"class loop, memo", "([а-я]|\\s)*ов$", TLines::Names},
      {"literal in the other case", "аааааааб", TLines::CapitalRuns},
      {"back-reference in the other case", "(ааааааа)(\\1|\\1)*б", TLines::CapitalRuns},
  };
  return cases;
}

// A name may be any text: the longest one, a single capital letter repeated,
// makes every comparison with a small letter take the case swap.
const std::vector<std::string>& LinesOf(TLines kind) {
  static const std::vector<std::string> capitalRuns(Subscribers / 100, Cp1251FromUtf8Lossy(RepeatedText("А", 127)));
  const TSubscriberTexts& texts = SubscriberTexts(Subscribers);
  switch (kind) {
    case TLines::Numbers: return texts.Numbers;
    case TLines::Names: return texts.Names;
    default: return capitalRuns;
  }
}

constexpr int64_t StepsPerIteration = 50'000'000;

void BM_StepRate(benchmark::State& state, const TStepCase* c) {
  const std::vector<std::string>& lines = LinesOf(c->Lines);
  TRegExpr regex;
  regex.SetExpression(Cp1251FromUtf8Lossy(c->Expression));
  int64_t steps = 0;
  int64_t executions = 0;
  size_t next = 0;
  for (auto _ : state) {
    TStepBudget budget(StepsPerIteration);
    regex.SetStepBudget(&budget);
    for (bool spent = false; !spent; next = (next + 1) % lines.size(), ++executions) {
      try {
        benchmark::DoNotOptimize(regex.Exec(lines[next]));
      } catch (const ERegExpr& error) {
        spent = error.ErrorNumber == ErrorStepBudgetSpent;
      }
    }
    steps += StepsPerIteration - budget.Remaining();
  }
  state.counters["steps_per_s"] = benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
  state.counters["steps_per_line"] = static_cast<double>(steps) / static_cast<double>(executions);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  for (const TStepCase& c : StepCases())
    benchmark::RegisterBenchmark(c.Label, BM_StepRate, &c)->Unit(benchmark::kMillisecond);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
