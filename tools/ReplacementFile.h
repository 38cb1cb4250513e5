#pragma once
// A file written beside its target and renamed over it only once complete and on
// disk, so that the target holds either all its old bytes or all the new ones.

#include <string>
#include <string_view>

#include "tools/BufferedFile.h"
#include "tools/PathResolution.h"
#include "tools/Temporaries.h"

class TReplacementFile {
 public:
  // target is a regular file or a missing name. The temporary beside it is made
  // without following a link; throws std::runtime_error when it cannot be.
  explicit TReplacementFile(TResolvedName target);
  ~TReplacementFile();  // removes the temporary unless it has replaced the target
  TReplacementFile(const TReplacementFile&) = delete;
  TReplacementFile& operator=(const TReplacementFile&) = delete;

  void Write(std::string_view bytes) { file_.Write(bytes); }  // throws std::runtime_error
  // Gives the file the target's mode, puts it on disk and renames it over the
  // target; throws std::runtime_error.
  void Commit();

 private:
  TResolvedName target_;
  std::string temporary_;
  mode_t mode_;
  TBufferedFile file_;
  TTemporary registered_;
  bool replaced_ = false;
};
