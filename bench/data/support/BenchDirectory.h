#pragma once
// A generated directory for the benchmarks, written once per process into a
// temporary directory that is removed at exit.

#include <string>

// The benchmark directory's line count: ORLINAR_BENCH_LINES, a million by default,
// so that the figures at a larger size are one environment variable away.
int BenchLines();
const std::string& BenchDirectory();
struct TResidentMemory {
  double Megabytes = 0;      // resident now, in MiB
  double PeakMegabytes = 0;  // the most ever resident, in MiB
};
TResidentMemory ResidentMemory();
// The resident memory of a fresh child process that has loaded directory, now and at
// its peak: what a program start holds, free of the benchmark's own allocations.
TResidentMemory ResidentMemoryAfterLoadInChild(const std::string& directory);
