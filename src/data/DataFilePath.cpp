#include "data/DataFilePath.h"

#include <unistd.h>

#include <climits>

std::string ExecutableDirectory() {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
  if (length <= 0) return "./";
  const std::string_view executable(path, static_cast<size_t>(length));
  return std::string(executable.substr(0, executable.find_last_of('/') + 1));
}

std::string DataFilePath(std::string_view folder, std::string_view fileName) {
  std::string path(folder.empty() ? std::string_view(".") : folder);
  if (path.back() != '/') path += '/';
  return path += fileName;
}
