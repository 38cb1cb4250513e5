// Any bytes, repeated, as Cities.dbr. The table must hold the empty name and then
// exactly the complete name records of the file, and a file bringing more names
// than an index can reach must be refused with code 8 instead, however large.
//
// Input: 2 bytes, a little-endian repetition count (0 reads as 1), then the bytes
// the file repeats. The file is cut at 4 MB, so that short inputs reach files far
// beyond 64 KB and beyond 65,535 names.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "data/DataFile.h"
#include "data/DbrRecords.h"
#include "data/NameLists.h"
#include "tests/data/support/DirectoryFiles.h"

namespace {

constexpr size_t MaxFileBytes = 4 << 20;

void Require(bool condition) {
  if (!condition) std::abort();
}

std::string FileOf(std::string_view input) {
  if (input.size() < 2) return std::string(input);
  const size_t count = static_cast<uint8_t>(input[0]) | static_cast<uint8_t>(input[1]) << 8;
  const std::string_view unit = input.substr(2);
  std::string file;
  for (size_t i = 0; i < std::max<size_t>(count, 1) && file.size() < MaxFileBytes; ++i) file += unit;
  file.resize(std::min(file.size(), MaxFileBytes));
  return file;
}

// The names a reader that knows only the record layout finds, without any bound.
std::vector<std::string> ExpectedNames(std::string_view file) {
  std::vector<std::string> names{""};
  size_t at = 0;
  while (at < file.size()) {
    const size_t length = static_cast<uint8_t>(file[at]);
    if (at + 1 + length > file.size()) break;
    names.emplace_back(file.substr(at + 1, length));
    at += 1 + length;
  }
  return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string file = FileOf(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::vector<std::string> expected = ExpectedNames(file);
  static TTempDirectory dir;
  dir.Write("Cities.dbr", file);
  TDirectory directory;
  try {
    LoadCities(directory, dir.Path());
    Require(expected.size() <= MaxListedNames + 1 && directory.Cities == expected);
  } catch (const EInOutError& error) {
    Require(error.Code == 8 && expected.size() > MaxListedNames + 1);
  }
  return 0;
}
