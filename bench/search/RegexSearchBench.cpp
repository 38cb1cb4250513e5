// Regular-expression searches over the generated benchmark directory.

#include <benchmark/benchmark.h>

#include "bench/search/support/SearchRun.h"
#include "data/Cp1251.h"
#include "search/Search.h"

namespace {

TSearchInputs RegexInputs() {
  TSearchInputs inputs;
  inputs.RegExpr = true;
  return inputs;
}

}  // namespace

// The target: at most 50 ms.
static void BM_OwnerSurnames(benchmark::State& state) {
  TSearchInputs inputs = RegexInputs();
  inputs.Owner = Cp1251FromUtf8Lossy("^(иван|петр)ов");
  RunSearch(state, inputs);
}
BENCHMARK(BM_OwnerSurnames)->Unit(benchmark::kMillisecond);

// A literal written as an expression: the plain search for it is the yardstick.
static void BM_OwnerLiteral(benchmark::State& state) {
  TSearchInputs inputs = RegexInputs();
  inputs.Owner = Cp1251FromUtf8Lossy("иван");
  RunSearch(state, inputs);
}
BENCHMARK(BM_OwnerLiteral)->Unit(benchmark::kMillisecond);

static void BM_OwnerAnywhere(benchmark::State& state) {
  TSearchInputs inputs = RegexInputs();
  inputs.Owner = Cp1251FromUtf8Lossy("(ий|ая)\\s");
  RunSearch(state, inputs);
}
BENCHMARK(BM_OwnerAnywhere)->Unit(benchmark::kMillisecond);

static void BM_PhoneStart(benchmark::State& state) {
  TSearchInputs inputs = RegexInputs();
  inputs.Phone = "^8";
  RunSearch(state, inputs);
}
BENCHMARK(BM_PhoneStart)->Unit(benchmark::kMillisecond);

static void BM_CorpusWithCity(benchmark::State& state) {
  TSearchInputs inputs = RegexInputs();
  inputs.Corpus = Cp1251FromUtf8Lossy("^к\\d");
  inputs.CityIndices = {1};
  RunSearch(state, inputs);
}
BENCHMARK(BM_CorpusWithCity)->Unit(benchmark::kMillisecond);

// Ambiguous repetitions that once held the window for minutes: the failure memo
// and the search's step budget keep each within 3 s.
static void BM_PhoneAmbiguousRepetition(benchmark::State& state) {
  TSearchInputs inputs = RegexInputs();
  inputs.Phone = "(\\d|\\d|\\d)*x";
  RunSearch(state, inputs);
}
BENCHMARK(BM_PhoneAmbiguousRepetition)->Unit(benchmark::kMillisecond);

static void BM_OwnerAmbiguousRepetition(benchmark::State& state) {
  TSearchInputs inputs = RegexInputs();
  inputs.Owner = Cp1251FromUtf8Lossy("(а|б|в|[а-я])*ъъ");
  RunSearch(state, inputs);
}
BENCHMARK(BM_OwnerAmbiguousRepetition)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
