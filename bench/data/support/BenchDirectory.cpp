#include "bench/data/support/BenchDirectory.h"

#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "data/LoadDirectory.h"
#include "tools/DirectoryGenerator.h"

namespace {

void RemoveDirectory(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

// Generating in a child process keeps the generator's memory out of the
// resident size that the load benchmark reports.
void GenerateInChild(const std::string& path) {
  const pid_t child = ::fork();
  if (child == 0) {
    GenerateDirectory(path, BenchLines(), 1);
    std::_Exit(0);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error("generating the benchmark directory failed");
  }
}

}  // namespace

int BenchLines() {
  static const int lines = [] {
    const char* text = std::getenv("ORLINAR_BENCH_LINES");
    if (text == nullptr || *text == '\0') return 1'000'000;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*end != '\0' || value <= 0 || value > INT32_MAX) {
      throw std::runtime_error("ORLINAR_BENCH_LINES must be a whole number from 1 to 2147483647");
    }
    return static_cast<int>(value);
  }();
  return lines;
}

namespace {

// A folder holding the three data files, whatever links lead to them.
std::string GivenDirectory(const char* folder) {
  for (const char* name : {"Cities.dbr", "Streets.dbr", "Phones.dbr"}) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::filesystem::path(folder) / name, error)) {
      throw std::runtime_error(std::string("ORLINAR_BENCH_DIRECTORY: no ") + name + " in " + folder);
    }
  }
  return folder;
}

}  // namespace

const std::string& BenchDirectory() {
  static const std::string path = [] {
    const char* given = std::getenv("ORLINAR_BENCH_DIRECTORY");
    if (given != nullptr && *given != '\0') return GivenDirectory(given);
    std::string pattern = (std::filesystem::temp_directory_path() / "orlinar-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary directory");
    GenerateInChild(pattern);
    static const std::string removeAtExit = pattern;
    std::atexit([] { RemoveDirectory(removeAtExit); });
    return pattern;
  }();
  return path;
}

TResidentMemory ResidentMemoryAfterLoadInChild(const std::string& directory) {
  int channel[2];
  if (::pipe(channel) != 0) throw std::runtime_error("pipe failed");
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    // A forked child starts its peak at the parent's size; count from here.
    std::ofstream("/proc/self/clear_refs") << "5";
    const std::shared_ptr<const TDirectory> loaded = LoadDirectory(directory);
    TResidentMemory memory = ResidentMemory();
    memory.Lines = static_cast<int64_t>(loaded->Phones.size());
    const bool written = ::write(channel[1], &memory, sizeof memory) == sizeof memory;
    std::_Exit(written ? 0 : 1);
  }
  ::close(channel[1]);
  TResidentMemory memory;
  const bool read = child > 0 && ::read(channel[0], &memory, sizeof memory) == sizeof memory;
  ::close(channel[0]);
  int status = 0;
  if (child > 0) ::waitpid(child, &status, 0);
  if (!read) throw std::runtime_error("measuring the loaded size failed");
  return memory;
}

TResidentMemory ResidentMemory() {
  std::ifstream status("/proc/self/status");
  TResidentMemory memory;
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) memory.Megabytes = std::stod(line.substr(6)) / 1024.0;
    if (line.rfind("VmHWM:", 0) == 0) memory.PeakMegabytes = std::stod(line.substr(6)) / 1024.0;
  }
  return memory;
}
