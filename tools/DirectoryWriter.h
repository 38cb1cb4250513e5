#pragma once
// Writes the three data files of a directory. Texts are Windows-1251 bytes.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tools/DataFileSet.h"

struct TDirectoryLine {
  int64_t Number = 0;
  uint16_t City = 0;
  uint16_t Street = 0;
  uint16_t House = 0;
  uint16_t Flat = 0;
  std::string Corpus;
};

// Writes the records of a directory into a file set, which puts them in place at
// Commit; until then, and whenever writing fails, the old files stay as they were.
class TDataFilesWriter {
 public:
  explicit TDataFilesWriter(TDataFileSet& files) : files_(files) {}
  // Into a new generation of the directory's files; throws std::runtime_error when
  // the directory cannot be written.
  explicit TDataFilesWriter(const std::string& directory);

  // Throw std::runtime_error for a name over 127 bytes, a corpus over 127 bytes or a failed write.
  void AddOwner(std::string_view name);
  void AddPhone(const TDirectoryLine& line);
  // Writes cities[1..] and streets[1..] (element 0 is the implicit empty name) and
  // puts the three files in place; throws std::runtime_error on a name over 255
  // bytes or a failed write.
  void Commit(const std::vector<std::string>& cities, const std::vector<std::string>& streets);

 private:
  std::unique_ptr<TDataFileSet> owned_;
  TDataFileSet& files_;
  std::string record_;
};
