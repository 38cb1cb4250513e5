#pragma once
// Times whole searches over the generated million-line directory, loaded once per process.

#include <benchmark/benchmark.h>

#include "Search.h"

void RunSearch(benchmark::State& state, const TSearchInputs& inputs);
