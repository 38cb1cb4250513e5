#pragma once
// Read-only access to a directory data file.

#include <cstddef>
#include <stdexcept>
#include <string>

// A failed data-file operation; Code is the platform error code
// (2 no such file, 3 no such directory, 4 too many open files, 5 access refused,
// 30 read fault). The message is a Windows-1251 sentence naming the file.
class EInOutError : public std::runtime_error {
 public:
  EInOutError(int code, const std::string& path);
  int Code;
  std::string Path;
};

// The error code for a failed open or read of path, from errno.
int InOutErrorCode(int errnoValue, const std::string& path);

// A data file opened for reading only; it is never created or written.
class TDataFile {
 public:
  explicit TDataFile(std::string path);  // throws EInOutError
  ~TDataFile();                          // closes quietly when Close was not called
  TDataFile(const TDataFile&) = delete;
  TDataFile& operator=(const TDataFile&) = delete;

  // Reads up to n bytes; fewer only at the end of the file, which is no error.
  size_t Read(void* buffer, size_t n);
  bool AtEnd();
  // The rest of the file from the current position.
  std::string ReadToEnd();
  void Close();  // throws EInOutError when the close fails

 private:
  std::string path_;
  int descriptor_;
};
