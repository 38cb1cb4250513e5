#pragma once
// The three data files, opened together so that they belong to one generation:
// the data tool switches all three names at once, and a reader that opened them
// one by one, seconds apart, could hold the names of one directory and the phones
// of another.

#include <array>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "data/DataFile.h"
#include "data/FileStamp.h"

// The stamps of "Cities.dbr", "Streets.dbr" and "Phones.dbr", in this order.
using TDirectoryStamp = std::array<TFileStamp, 3>;

// Folder's "Cities.dbr", "Streets.dbr" and "Phones.dbr", in this order.
std::array<std::string, 3> DirectoryFilePaths(std::string_view folder);
// The three files as their names lead to them now.
TDirectoryStamp ReadDirectoryStamp(std::string_view folder);

class TDirectoryFiles {
 public:
  enum TWhich { CitiesFile, StreetsFile, PhonesFile };

  // Opens folder's "Cities.dbr", "Streets.dbr" and "Phones.dbr", in this order,
  // until one round finds every name still naming the file it opened (or still
  // missing). A failed open does not throw here: its error waits for Take.
  explicit TDirectoryFiles(std::string_view folder);

  // The open file, once; throws the error its open raised.
  std::unique_ptr<TDataFile> Take(TWhich which);

  // The generation opened: each file as opened, or as its name led when it failed.
  const TDirectoryStamp& Stamp() const { return stamp_; }

 private:
  struct TOpened {
    std::unique_ptr<TDataFile> File;
    std::exception_ptr Failure;
  };
  bool OpenRound();

  std::array<std::string, 3> paths_;
  std::array<TOpened, 3> files_;
  TDirectoryStamp stamp_;
};
