#pragma once
// Where export writes. A regular file, or a name that does not exist yet, is
// replaced as a whole (ReplacementFile.h); a device, a named pipe, a terminal or
// /dev/stdout that is one of them is opened and written in place, never replaced.

#include <optional>
#include <string>
#include <string_view>

#include "tools/BufferedFile.h"
#include "tools/ReplacementFile.h"

class TOutputFile {
 public:
  // Follows links as PathResolution.h allows; throws std::runtime_error for a
  // refused link, a folder, or a target that cannot be opened.
  explicit TOutputFile(const std::string& path);

  void Write(std::string_view bytes);  // throws std::runtime_error
  void Commit();                       // the same

 private:
  std::optional<TReplacementFile> replacement_;
  std::optional<TBufferedFile> inPlace_;
};
