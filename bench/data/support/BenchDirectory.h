#pragma once
// A generated directory of a million phone lines for the benchmarks, written once
// per process into a temporary directory that is removed at exit.

#include <string>

const std::string& MillionLineDirectory();
// Reads the three files into the tables; throws std::runtime_error on failure.
void LoadDirectory(const std::string& directory);
// The process's resident memory now, in MiB.
double ResidentMegabytes();
// The resident memory of a fresh child process that has loaded directory: what a
// program start holds, free of the benchmark's own earlier allocations.
double ResidentMegabytesAfterLoadInChild(const std::string& directory);
