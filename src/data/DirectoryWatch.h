#pragma once
// Tells when a folder's directory files are no longer the generation a window loaded:
// an import switched them, or someone copied new ones over them.

#include <string>

#include "data/DirectoryFiles.h"

class TDirectoryWatch {
 public:
  TDirectoryWatch(std::string folder, const TDirectoryStamp& loaded);

  // Looks at the files again. True once: at the first look that finds them changed
  // and just as they were at the look before, so that files copied one after another
  // are not reported half-way.
  bool Replaced();

 private:
  std::string folder_;
  TDirectoryStamp loaded_;
  TDirectoryStamp lastSeen_;
  bool reported_ = false;
};
