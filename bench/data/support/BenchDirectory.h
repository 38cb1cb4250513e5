#pragma once
// The benchmarks' directory: the folder ORLINAR_BENCH_DIRECTORY names, so that a real
// directory can be timed, or else one generated once per process into a temporary
// folder that is removed at exit.

#include <cstdint>
#include <string>

// The generated directory's line count: ORLINAR_BENCH_LINES, a million by default,
// so that the figures at a larger size are one environment variable away.
int BenchLines();
// Throws std::runtime_error when ORLINAR_BENCH_DIRECTORY names no folder with the
// three data files.
const std::string& BenchDirectory();
struct TResidentMemory {
  double Megabytes = 0;      // resident now, in MiB
  double PeakMegabytes = 0;  // the most ever resident, in MiB
  int64_t Lines = 0;         // of the directory loaded
};
TResidentMemory ResidentMemory();
// The resident memory of a fresh child process that has loaded directory, now and at
// its peak: what a program start holds, free of the benchmark's own allocations.
TResidentMemory ResidentMemoryAfterLoadInChild(const std::string& directory);
