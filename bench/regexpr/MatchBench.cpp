// Matching speed over a directory of 1,000,000 subscribers: each expression is
// compiled once and executed per name or number, as a search does, side by side
// with std::regex on the same texts. It gets equivalent patterns that spell out
// the Windows-1251 case pairs, since it folds no Cyrillic bytes without a
// Windows-1251 locale.
// One iteration is one pass over the whole workload.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "bench/regexpr/support/SubscriberTexts.h"
#include "regexpr/RegExpr.h"

namespace {

constexpr int Subscribers = 1'000'000;

struct TCase {
  const char* Label;
  std::string Expression;  // the engine's own, default modifiers
  std::string Equivalent;  // for std::regex, case-sensitive
  bool OverNames;
};

// Windows-1251 bytes: и И в В а А н Н п П е Е т Т р Р о О.
const std::vector<TCase>& Cases() {
  static const std::vector<TCase> cases = {
      {"ivan", "\xE8\xE2\xE0\xED", "[\xE8\xC8][\xE2\xC2][\xE0\xC0][\xED\xCD]", true},
      {"^8", "^8", "^8", false},
      {"45$", "45$", "45$", false},
      {"(?-i)Ivan", "(?-i)\xC8\xE2\xE0\xED", "\xC8\xE2\xE0\xED", true},
      {"^(ivan|petr)ov", "^(\xE8\xE2\xE0\xED|\xEF\xE5\xF2\xF0)\xEE\xE2",
       "^([\xE8\xC8][\xE2\xC2][\xE0\xC0][\xED\xCD]|[\xEF\xCF][\xE5\xC5][\xF2\xD2][\xF0\xD0])[\xEE\xCE][\xE2\xC2]",
       true},
      {"[a-ya]+ov$", "[\xE0-\xFF]+\xEE\xE2$", "[\xA8\xB8\xC0-\xFF]+[\xEE\xCE][\xE2\xC2]$", true},
      {"^\\d{3}", "^\\d{3}", "^[0-9]{3}", false},
  };
  return cases;
}

const std::vector<std::string>& TextsOf(const TCase& c) {
  const TSubscriberTexts& texts = SubscriberTexts(Subscribers);
  return c.OverNames ? texts.Names : texts.Numbers;
}

int CountOrlinar(const TCase& c) {
  TRegExpr regex;
  regex.SetExpression(c.Expression);
  int found = 0;
  for (const std::string& text : TextsOf(c)) found += regex.Exec(text);
  return found;
}

int CountStdRegex(const TCase& c) {
  const std::regex regex(c.Equivalent);
  int found = 0;
  for (const std::string& text : TextsOf(c)) found += std::regex_search(text, regex);
  return found;
}

template <typename Count>
void Measure(benchmark::State& state, Count count) {
  int found = 0;
  for (auto _ : state) benchmark::DoNotOptimize(found = count());
  state.counters["found"] = found;
}

void BM_Orlinar(benchmark::State& state, const TCase* c) {
  Measure(state, [c] { return CountOrlinar(*c); });
}
void BM_StdRegex(benchmark::State& state, const TCase* c) {
  Measure(state, [c] { return CountStdRegex(*c); });
}

// Equivalent patterns must find the same lines, or the comparison means nothing.
bool EquivalentPatternsAgree() {
  bool agree = true;
  for (const TCase& c : Cases()) {
    const int own = CountOrlinar(c);
    const int other = CountStdRegex(c);
    if (own != other) {
      std::fprintf(stderr, "%s: %d lines found, std::regex %d\n", c.Label, own, other);
      agree = false;
    }
  }
  return agree;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (!EquivalentPatternsAgree()) return 1;
  for (const TCase& c : Cases()) {
    benchmark::RegisterBenchmark((std::string("Orlinar/") + c.Label).c_str(), BM_Orlinar, &c)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("StdRegex/") + c.Label).c_str(), BM_StdRegex, &c)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
