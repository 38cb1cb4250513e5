#pragma once
// What the data tool's commands throw besides the failures of their work.

#include <stdexcept>

// Wrong arguments: exit status 2 and a pointer to --help.
class EUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A failure that ends a command with exit status 2, as a search's errors do, so that
// status 1 can mean "nothing found".
class ECommandError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
