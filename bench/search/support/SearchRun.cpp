#include "bench/search/support/SearchRun.h"

#include "bench/data/support/BenchDirectory.h"
#include "regexpr/RegExpr.h"

namespace {

void EnsureLoaded() {
  static const bool loaded = [] {
    LoadDirectory(BenchDirectory());
    return true;
  }();
  (void)loaded;
}

}  // namespace

void RunSearch(benchmark::State& state, const TSearchInputs& inputs) {
  EnsureLoaded();
  int64_t found = 0;
  int errorNumber = 0;
  for (auto _ : state) {
    found = 0;
    try {
      ScanPhones(
          MakeSearchCriteria(inputs), [&](int32_t) { ++found; }, [](int32_t) {});
    } catch (const ERegExpr& error) {
      errorNumber = error.ErrorNumber;
    }
    benchmark::DoNotOptimize(found);
  }
  state.counters["found"] = static_cast<double>(found);
  state.counters["error"] = errorNumber;
}
