// Loading the three files of the benchmark directory into the tables, and the
// resident memory afterwards.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <vector>

#include "bench/data/support/BenchDirectory.h"
#include "data/DataFilePath.h"
#include "data/LoadDirectory.h"

namespace {

// What the machine allows a load at best: the files read from the page cache into one
// reused buffer, and as much fresh memory as the loaded tables hold made resident at
// once. On virtual machines the first touch of fresh memory costs far more than the read.
class TLoadBaseline {
 public:
  explicit TLoadBaseline(const std::string& folder) : folder_(folder) {
    tableBytes_ = static_cast<size_t>(ResidentMemoryAfterLoadInChild(folder).Megabytes * 1024 * 1024);
  }

  void Run() {
    for (const char* name : {"Cities.dbr", "Streets.dbr", "Phones.dbr"}) ReadWhole(DataFilePath(folder_, name));
    void* tables =
        ::mmap(nullptr, tableBytes_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (tables == MAP_FAILED) throw std::runtime_error("mmap failed");
    benchmark::DoNotOptimize(tables);
    ::munmap(tables, tableBytes_);
  }

  double MedianMilliseconds(int rounds) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
      const auto started = std::chrono::steady_clock::now();
      Run();
      times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count());
    }
    std::nth_element(times.begin(), times.begin() + rounds / 2, times.end());
    return times[rounds / 2];
  }

 private:
  void ReadWhole(const std::string& path) {
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) throw std::runtime_error("cannot open " + path);
    constexpr size_t Chunk = 1 << 20;
    if (buffer_.size() < Chunk) buffer_.resize(Chunk);
    while (::read(file, buffer_.data(), buffer_.size()) > 0) {
    }
    ::close(file);
  }

  std::string folder_;
  size_t tableBytes_ = 0;
  std::vector<char> buffer_;
};

TLoadBaseline& Baseline() {
  static TLoadBaseline baseline(BenchDirectory());
  return baseline;
}

}  // namespace

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

static void BM_LoadBaseline(benchmark::State& state) {
  TLoadBaseline& baseline = Baseline();
  for (auto _ : state) baseline.Run();
}
BENCHMARK(BM_LoadBaseline)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

static void BM_LoadDirectory(benchmark::State& state) {
  const std::string& folder = BenchDirectory();
  std::shared_ptr<const TDirectory> directory;
  // Measured beside the loads, so that the ratio holds on a machine as loaded as it is now.
  const double baselineMilliseconds = Baseline().MedianMilliseconds(5);
  std::vector<double> loadMilliseconds;
  for (auto _ : state) {
    // Start each round without tables, as a program start does.
    state.PauseTiming();
    directory.reset();
    state.ResumeTiming();
    const auto started = std::chrono::steady_clock::now();
    directory = LoadDirectory(folder);
    loadMilliseconds.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count());
  }
  std::nth_element(loadMilliseconds.begin(), loadMilliseconds.begin() + loadMilliseconds.size() / 2,
                   loadMilliseconds.end());
  state.counters["phones"] = static_cast<double>(directory->Phones.size());
  state.counters["owners"] = static_cast<double>(directory->Owners.size());
  state.counters["baseline_ms"] = baselineMilliseconds;
  state.counters["median_to_baseline"] = loadMilliseconds[loadMilliseconds.size() / 2] / baselineMilliseconds;
}
// The loading runs on its own thread: count the CPU time of the whole process.
BENCHMARK(BM_LoadDirectory)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

BENCHMARK_MAIN();
