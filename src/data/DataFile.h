#pragma once
// Read-only access to a directory data file.

#include <cstddef>
#include <stdexcept>
#include <string>

// A failed data-file operation; Code is the platform error code
// (2 no such file, 3 no such directory, 5 access refused).
class EInOutError : public std::runtime_error {
 public:
  EInOutError(int code, const std::string& path);
  int Code;
  std::string Path;
};
