// Forgiving searches beside plain ones for the same text over the generated
// benchmark directory. Each iteration runs both, one after the other, so that the
// ratio of their medians holds however busy the machine is; the target is a ratio
// of at most 2.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "bench/data/support/BenchDirectory.h"
#include "data/Cp1251.h"
#include "data/LoadDirectory.h"
#include "search/RunSearch.h"

namespace {

const TDirectory& LoadedDirectory() {
  static const std::shared_ptr<const TDirectory> loaded = LoadDirectory(BenchDirectory());
  return *loaded;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// Seconds taken, and the rows found.
std::pair<double, size_t> TimedSearch(const TDirectory& directory, const TSearchInputs& inputs) {
  const auto start = std::chrono::steady_clock::now();
  const TSearchOutcome outcome = RunSearch(directory, inputs, nullptr, nullptr);
  const std::chrono::duration<double> taken = std::chrono::steady_clock::now() - start;
  benchmark::DoNotOptimize(outcome.Rows.data());
  return {taken.count(), outcome.Rows.size()};
}

void ForgivingBesidePlain(benchmark::State& state, const char* owner) {
  const TDirectory& directory = LoadedDirectory();
  TSearchInputs plain;
  plain.Owner = Cp1251FromUtf8Lossy(owner);
  TSearchInputs forgiving = plain;
  forgiving.Forgiving = true;
  std::vector<double> plainTimes;
  std::vector<double> forgivingTimes;
  size_t plainRows = 0;
  size_t forgivingRows = 0;
  for (auto _ : state) {
    double forgivingTime = 0;
    std::tie(forgivingTime, forgivingRows) = TimedSearch(directory, forgiving);
    double plainTime = 0;
    std::tie(plainTime, plainRows) = TimedSearch(directory, plain);
    state.SetIterationTime(forgivingTime);
    forgivingTimes.push_back(forgivingTime);
    plainTimes.push_back(plainTime);
  }
  state.counters["plain_ms"] = Median(plainTimes) * 1e3;
  state.counters["forgiving_ms"] = Median(forgivingTimes) * 1e3;
  state.counters["ratio"] = Median(forgivingTimes) / Median(plainTimes);
  state.counters["plain_rows"] = static_cast<double>(plainRows);
  state.counters["forgiving_rows"] = static_cast<double>(forgivingRows);
}

}  // namespace

BENCHMARK_CAPTURE(ForgivingBesidePlain, Surname, "иванов")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ForgivingBesidePlain, TwoWords, "иван иванов")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ForgivingBesidePlain, LatinLayout, "bdfyjd")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ForgivingBesidePlain, Initials, "Петров И.И.")->UseManualTime()->Unit(benchmark::kMillisecond);
// Initials alone leave no word for the substring pass: every name is read.
BENCHMARK_CAPTURE(ForgivingBesidePlain, InitialsAlone, "И.И.")->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
