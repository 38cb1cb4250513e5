#pragma once
// A file written beside its target and renamed over it only once complete and on
// disk, so that the target holds either all its old bytes or all the new ones.

#include <initializer_list>
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
  // A target whose links are followed as PathResolution.h allows.
  explicit TReplacementFile(const std::string& target) : TReplacementFile(ResolveName(target)) {}
  ~TReplacementFile();  // removes the temporary unless it has replaced the target
  TReplacementFile(const TReplacementFile&) = delete;
  TReplacementFile& operator=(const TReplacementFile&) = delete;

  void Write(std::string_view bytes) { file_.Write(bytes); }  // throws std::runtime_error
  // Gives the file the target's mode, puts it on disk and renames it over the
  // target; throws std::runtime_error.
  void Commit() { CommitTogether({this}); }

  // Puts every file on disk before the first rename, then renames them all and
  // flushes their folders: no target changes unless every file was written.
  static void CommitTogether(std::initializer_list<TReplacementFile*> files);

 private:
  void Replace();

  TResolvedName target_;
  std::string temporary_;
  mode_t mode_;
  TBufferedFile file_;
  TTemporary registered_;
  bool replaced_ = false;
};
