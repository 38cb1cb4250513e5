#pragma once
// Builds the three directory files byte by byte, so that a test states exactly
// which records the program reads.

#include <cstdint>
#include <string>
#include <vector>

struct TPhoneRecord {
  int64_t Number = 0;
  uint16_t City = 0;
  uint16_t Street = 0;
  uint16_t House = 0;
  uint16_t Flat = 0;
  std::string Corpus;  // UTF-8 here; at most 127 bytes in Windows-1251
};

class TDirectoryWriter {
 public:
  // Texts are UTF-8 here and stored as Windows-1251; one too long for its record
  // throws std::length_error.
  TDirectoryWriter& City(const std::string& name);
  TDirectoryWriter& Street(const std::string& name);
  TDirectoryWriter& Owner(const std::string& name);
  TDirectoryWriter& Phone(const TPhoneRecord& record);

  std::string PhonesBytes() const { return phones_; }

  // Writes the files that are asked for into directory.
  void Save(const std::string& directory, bool cities = true, bool streets = true, bool phones = true) const;

 private:
  std::string cities_;
  std::string streets_;
  std::string phones_;
};

void WriteFile(const std::string& path, const std::string& bytes);
