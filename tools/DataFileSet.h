#pragma once
// Where the three data files of one directory go: a new generation in a folder
// (GenerationWriter.h), or memory for a check that needs no disk.

#include <string_view>

enum class TDataFileKind { Cities, Streets, Phones };

class TDataFileSet {
 public:
  virtual ~TDataFileSet() = default;
  // Appends to one of the files; throws std::runtime_error when it cannot.
  virtual void Write(TDataFileKind file, std::string_view bytes) = 0;
  // Puts the three complete files in place at once; called once, after every Write.
  virtual void Commit() = 0;
};
