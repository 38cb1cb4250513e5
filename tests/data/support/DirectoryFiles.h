#pragma once
// Crafted directory files in a fresh temporary directory, for loader tests.

#include <cstdint>
#include <string>
#include <string_view>

class TTempDirectory {
 public:
  TTempDirectory();
  ~TTempDirectory();
  TTempDirectory(const TTempDirectory&) = delete;
  TTempDirectory& operator=(const TTempDirectory&) = delete;

  const std::string& Path() const { return path_; }
  std::string FilePath(std::string_view name) const { return path_ + "/" + std::string(name); }
  void Write(std::string_view name, std::string_view bytes) const;

 private:
  std::string path_;
};

class TDataFile;
// The rest of file from its position.
std::string ReadRest(TDataFile& file);

// One record each, in the bytes of the .dbr files; a text too long for its record
// throws std::length_error.
std::string NameRecord(std::string_view name);
std::string OwnerRecord(std::string_view name);
std::string PhoneRecord(int64_t number, uint16_t city, uint16_t street, uint16_t house, uint16_t flat,
                        std::string_view corpus = {});

// Loads Phones.dbr of directory on a loader thread whose hand-over runs at once,
// and waits for it. Returns DataLoaded.
bool LoadPhonesFrom(const std::string& directory);
