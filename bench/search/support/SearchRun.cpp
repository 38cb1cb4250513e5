#include "bench/search/support/SearchRun.h"

#include "bench/data/support/BenchDirectory.h"
#include "data/LoadDirectory.h"
#include "regexpr/RegExpr.h"

namespace {

const TDirectory& LoadedDirectory() {
  static const std::shared_ptr<const TDirectory> loaded = LoadDirectory(BenchDirectory());
  return *loaded;
}

}  // namespace

void RunSearch(benchmark::State& state, const TSearchInputs& inputs) {
  const TDirectory& directory = LoadedDirectory();
  int64_t found = 0;
  int errorNumber = 0;
  for (auto _ : state) {
    found = 0;
    try {
      ScanPhones(
          directory, MakeSearchCriteria(inputs), [&](int32_t) { ++found; }, [](int32_t) {});
    } catch (const ERegExpr& error) {
      errorNumber = error.ErrorNumber;
    }
    benchmark::DoNotOptimize(found);
  }
  state.counters["found"] = static_cast<double>(found);
  state.counters["error"] = errorNumber;
}
