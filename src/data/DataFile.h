#pragma once
// Read-only access to a directory data file.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "data/FileStamp.h"
#include "data/InOutCodes.h"

// A failed data-file operation; Code is the platform error code, one of
// InOutCodes.h. The message is a Windows-1251 sentence naming the file and the reason.
class EInOutError : public std::runtime_error {
 public:
  EInOutError(int code, const std::string& path);
  // reasonUtf8 replaces the code's usual reason, for a cause the code alone hides.
  EInOutError(int code, const std::string& path, const std::string& reasonUtf8);
  int Code;
  std::string Path;
};

// The error code for a failed open or read of path, from errno.
int InOutErrorCode(int errnoValue, const std::string& path);

// A regular file opened for reading only; it is never created or written. Named
// pipes, devices, sockets and directories are refused at once, never waited on.
class TDataFile {
 public:
  explicit TDataFile(std::string path);  // throws EInOutError
  ~TDataFile();                          // closes quietly when Close was not called
  TDataFile(const TDataFile&) = delete;
  TDataFile& operator=(const TDataFile&) = delete;

  // Reads up to n bytes; fewer only at the end of the file, which is no error.
  size_t Read(void* buffer, size_t n);
  // Reads up to n bytes from offset, leaving the position alone: several threads
  // may read one file so at once.
  size_t ReadAt(uint64_t offset, void* buffer, size_t n) const;
  bool AtEnd();
  void Rewind();  // back to the first byte
  // The size the file had when it was opened: a file that grows meanwhile is read
  // no further than that, so its reader's memory stays bounded.
  uint64_t SizeAtOpen() const { return stamp_.Size; }
  // The file as it was when it was opened.
  const TFileStamp& Stamp() const { return stamp_; }
  const std::string& Path() const { return path_; }
  // Whether path, links followed, names this very file now.
  bool IsNamedBy(const std::string& path) const;
  void Close();  // throws EInOutError when the close fails

 private:
  // readSome(into, wanted, done) reads once, as read(2) does.
  template <typename TReadSome>
  size_t ReadFully(void* buffer, size_t n, TReadSome&& readSome) const;

  std::string path_;
  int descriptor_;
  TFileStamp stamp_;
};
