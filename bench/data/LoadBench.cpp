// Loading the three files of the benchmark directory into the tables, and the
// resident memory afterwards.

#include <benchmark/benchmark.h>

#include <algorithm>

#include "bench/data/support/BenchDirectory.h"
#include "data/LoadDirectory.h"

// Registered first: a child forked after the timed loads would share their pages.
static void BM_ResidentAfterLoad(benchmark::State& state) {
  const std::string& directory = BenchDirectory();
  TResidentMemory memory;
  for (auto _ : state) memory = ResidentMemoryAfterLoadInChild(directory);
  const double bytesPerMegabyte = 1024.0 * 1024.0;
  state.counters["resident_MiB"] = memory.Megabytes;
  state.counters["peak_MiB"] = memory.PeakMegabytes;
  const double lines = static_cast<double>(std::max<int64_t>(memory.Lines, 1));
  state.counters["B_per_line"] = memory.Megabytes * bytesPerMegabyte / lines;
  state.counters["peak_B_per_line"] = memory.PeakMegabytes * bytesPerMegabyte / lines;
}
BENCHMARK(BM_ResidentAfterLoad)->Unit(benchmark::kMillisecond)->Iterations(1);

static void BM_LoadDirectory(benchmark::State& state) {
  const std::string& folder = BenchDirectory();
  std::shared_ptr<const TDirectory> directory;
  for (auto _ : state) {
    // Start each round without tables, as a program start does.
    state.PauseTiming();
    directory.reset();
    state.ResumeTiming();
    directory = LoadDirectory(folder);
  }
  state.counters["phones"] = static_cast<double>(directory->Phones.size());
  state.counters["owners"] = static_cast<double>(directory->Owners.size());
}
// The loading runs on its own thread: count the CPU time of the whole process.
BENCHMARK(BM_LoadDirectory)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

BENCHMARK_MAIN();
