// Plain searches over the generated benchmark directory.

#include <benchmark/benchmark.h>

#include "bench/search/support/SearchRun.h"
#include "data/Cp1251.h"
#include "search/Search.h"

static void BM_OwnerSubstring(benchmark::State& state) {
  TSearchInputs inputs;
  inputs.Owner = Cp1251FromUtf8Lossy("иван");
  RunSearch(state, inputs);
}
BENCHMARK(BM_OwnerSubstring)->Unit(benchmark::kMillisecond);

static void BM_PhoneTail(benchmark::State& state) {
  TSearchInputs inputs;
  inputs.Phone = std::string("4567").substr(0, static_cast<size_t>(state.range(0)));
  RunSearch(state, inputs);
}
BENCHMARK(BM_PhoneTail)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

static void BM_CityAndHouse(benchmark::State& state) {
  TSearchInputs inputs;
  inputs.CityIndices = {1};
  inputs.House = "12";
  RunSearch(state, inputs);
}
BENCHMARK(BM_CityAndHouse)->Unit(benchmark::kMillisecond);

static void BM_AllSevenFields(benchmark::State& state) {
  TSearchInputs inputs;
  inputs.Phone = "5";
  inputs.Owner = Cp1251FromUtf8Lossy("ова");
  inputs.CityIndices = {1};
  inputs.StreetIndices = {1, 2, 3};
  inputs.House = "12";
  inputs.Corpus = Cp1251FromUtf8Lossy("А");
  inputs.Flat = "5";
  RunSearch(state, inputs);
}
BENCHMARK(BM_AllSevenFields)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
