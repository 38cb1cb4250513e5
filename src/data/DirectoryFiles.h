#pragma once
// The three data files, opened together so that they belong to one generation:
// the data tool switches all three names at once, and a reader that opened them
// one by one, seconds apart, could hold the names of one directory and the phones
// of another.

#include <array>
#include <exception>
#include <memory>
#include <string>

#include "data/DataFile.h"

class TDirectoryFiles {
 public:
  enum TWhich { CitiesFile, StreetsFile, PhonesFile };

  // Opens the three paths, in this order, until one round finds every name still
  // naming the file it opened (or still missing). A failed open does not throw
  // here: its error waits for Take.
  explicit TDirectoryFiles(const std::array<std::string, 3>& paths);

  // The open file, once; throws the error its open raised.
  std::unique_ptr<TDataFile> Take(TWhich which);

 private:
  struct TOpened {
    std::unique_ptr<TDataFile> File;
    std::exception_ptr Failure;
  };
  bool OpenRound(const std::array<std::string, 3>& paths);

  std::array<TOpened, 3> files_;
};
