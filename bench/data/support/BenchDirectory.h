#pragma once
// A generated directory for the benchmarks, written once per process into a
// temporary directory that is removed at exit.

#include <string>

// The benchmark directory's line count: ORLINAR_BENCH_LINES, a million by default,
// so that the figures at a larger size are one environment variable away.
int BenchLines();
const std::string& BenchDirectory();
// Reads the three files into the tables; throws std::runtime_error on failure.
void LoadDirectory(const std::string& directory);
// The process's resident memory now, in MiB.
double ResidentMegabytes();
// The resident memory of a fresh child process that has loaded directory: what a
// program start holds, free of the benchmark's own earlier allocations.
double ResidentMegabytesAfterLoadInChild(const std::string& directory);
