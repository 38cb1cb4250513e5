#pragma once
// A file written beside its target and renamed over it only once complete and on
// disk, so that the target holds either all its old bytes or all the new ones.
// A target that is a symbolic link stays one: the file it points to is replaced.

#include <initializer_list>
#include <string>
#include <string_view>

class TReplacementFile {
 public:
  // Creates the temporary; throws std::runtime_error when the directory cannot be written.
  explicit TReplacementFile(const std::string& target);
  ~TReplacementFile();  // removes the temporary unless it has replaced the target
  TReplacementFile(const TReplacementFile&) = delete;
  TReplacementFile& operator=(const TReplacementFile&) = delete;

  void Write(std::string_view bytes);  // throws std::runtime_error
  void Commit() { CommitTogether({this}); }

  // Flushes every file to disk before the first rename, then renames them all and
  // flushes their directories: no target changes unless every file was written.
  static void CommitTogether(std::initializer_list<TReplacementFile*> files);

 private:
  void Finish();
  void Replace();
  void FlushBuffer();
  [[noreturn]] void Fail(const std::string& what) const;

  std::string target_;     // the file renamed over: a link's destination, not the link
  std::string directory_;  // where target_ and the temporary lie
  std::string temporary_;
  int descriptor_ = -1;
  int signalSlot_ = -1;
  bool replaced_ = false;
  std::string buffer_;
};

// An interrupted tool leaves no temporaries behind: SIGINT, SIGTERM and SIGHUP
// remove them before the process ends as the signal would have ended it.
void RemoveTemporariesOnSignals();
