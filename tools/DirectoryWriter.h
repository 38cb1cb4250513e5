#pragma once
// Writes the three data files of a directory. Texts are Windows-1251 bytes.

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

struct TDirectoryLine {
  int64_t Number = 0;
  uint16_t City = 0;
  uint16_t Street = 0;
  uint16_t House = 0;
  uint16_t Flat = 0;
  std::string Corpus;
};

// Writes names[1..] (element 0 is the implicit empty name); throws
// std::runtime_error on a name over 255 bytes or a failed write.
void WriteNameList(const std::string& path, const std::vector<std::string>& names);

class TPhonesFileWriter {
 public:
  explicit TPhonesFileWriter(const std::string& path);
  // Throw std::runtime_error for a name over 127 bytes or a corpus over 127 bytes.
  void AddOwner(std::string_view name);
  void AddPhone(const TDirectoryLine& line);
  void Close();  // throws std::runtime_error when the file could not be written

 private:
  void FlushWhenFull();

  std::string path_;
  std::ofstream file_;
  std::string buffer_;
};
