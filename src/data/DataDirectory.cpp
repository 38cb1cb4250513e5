#include <unistd.h>

#include <climits>

#include "data/Tables.h"

namespace {

std::string ExecutableDirectory() {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
  if (length <= 0) return "./";
  const std::string_view executable(path, static_cast<size_t>(length));
  return std::string(executable.substr(0, executable.find_last_of('/') + 1));
}

std::string& DataDirectory() {
  static std::string directory = ExecutableDirectory();
  return directory;
}

}  // namespace

void SetDataDirectory(std::string directory) {
  if (directory.empty()) directory = ".";
  if (directory.back() != '/') directory += '/';
  DataDirectory() = std::move(directory);
}

std::string DataFilePath(std::string_view fileName) { return DataDirectory() + std::string(fileName); }
