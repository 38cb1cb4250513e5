#pragma once
// Times whole searches over the generated benchmark directory, loaded once per
// process. A search that an engine error ends counts as done, with the error's code.

#include <benchmark/benchmark.h>

#include "search/Search.h"

void RunSearch(benchmark::State& state, const TSearchInputs& inputs);
