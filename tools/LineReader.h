#pragma once
// Splits an input into lines as it is read. A failed read is an error, never the
// end of the input.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

class TLineReader {
 public:
  // Fills up to size bytes of buffer and returns how many; 0 only at the end.
  // Throws std::runtime_error when reading fails.
  using TRead = std::function<size_t(char* buffer, size_t size)>;

  explicit TLineReader(TRead read) : read_(std::move(read)) {}

  // The next line without its line feed and without the carriage return of a CR LF
  // end; false at the end of the input. The view lasts until the next call. Throws
  // ETsvError for a line of more than MaxLineBytes.
  bool Next(std::string_view& line);
  size_t LineNumber() const { return lineNumber_; }  // of the line returned last

  static constexpr size_t MaxLineBytes = 1 << 16;

 private:
  bool Fill();

  TRead read_;
  std::string buffer_ = std::string(1 << 20, '\0');  // room for a chunk after an unfinished line
  size_t start_ = 0;                                 // buffer_[start_, end_) is read but not yet returned
  size_t end_ = 0;
  size_t lineNumber_ = 0;
  bool ended_ = false;
};

// An input file opened for reading; a folder is refused.
class TInputFile {
 public:
  explicit TInputFile(const std::string& path);  // throws std::runtime_error
  ~TInputFile();
  TInputFile(const TInputFile&) = delete;
  TInputFile& operator=(const TInputFile&) = delete;

  size_t Read(char* buffer, size_t size);  // as TLineReader::TRead

 private:
  std::string path_;
  int descriptor_;
};
