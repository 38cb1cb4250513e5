// Compile time of the expressions a directory user types. Each search builds a
// fresh expression object and compiles once, so that is what is measured;
// the object's creation alone is measured too, to tell the two apart.
#include <benchmark/benchmark.h>

#include <string_view>

#include "regexpr/RegExpr.h"

namespace {

// Windows-1251 texts: "иван", "(?-i)Иван", "^(иван|петр)ов", "[а-я]+ [а-я]+".
constexpr std::string_view Expressions[] = {
    "\xE8\xE2\xE0\xED",
    "^8",
    "45$",
    "(?-i)\xC8\xE2\xE0\xED",
    "^(\xE8\xE2\xE0\xED|\xEF\xE5\xF2\xF0)\xEE\xE2",
    "[\xE0-\xFF]+ [\xE0-\xFF]+",
    "\\d{3}-\\d{2}",
};

void BM_Compile(benchmark::State& state) {
  const std::string_view expression = Expressions[state.range(0)];
  for (auto _ : state) {
    TRegExpr r;
    r.SetExpression(expression);
    benchmark::DoNotOptimize(r.EnsureProgram());
    benchmark::DoNotOptimize(r.Program().data());
  }
  state.SetLabel(std::string(expression));
}
BENCHMARK(BM_Compile)->DenseRange(0, std::size(Expressions) - 1);

void BM_CreateObject(benchmark::State& state) {
  for (auto _ : state) {
    TRegExpr r;
    benchmark::DoNotOptimize(&r);
  }
}
BENCHMARK(BM_CreateObject);

}  // namespace

BENCHMARK_MAIN();
