#pragma once
// A file written through a large buffer, whose every failure is an error naming it.

#include <sys/types.h>

#include <string>
#include <string_view>

#include "tools/Descriptor.h"

class TBufferedFile {
 public:
  TBufferedFile(TDescriptor descriptor, std::string path);

  void Write(std::string_view bytes);  // throws std::runtime_error
  // Write the rest and close; Finish also gives the file its mode and puts it on
  // disk first. Both throw std::runtime_error.
  void Finish(mode_t mode);
  void Close();

 private:
  void Flush();
  [[noreturn]] void Fail() const;

  TDescriptor descriptor_;
  std::string path_;
  std::string buffer_;
};

// The mode a new file gets: 0644 as far as the umask allows.
mode_t NewFileMode();
// The mode a file takes over from the one it replaces: no set-user-id, set-group-id or sticky bit.
inline mode_t CarriedMode(mode_t replaced) { return replaced & 0777; }
