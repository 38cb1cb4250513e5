#pragma once
// The four directory tables. Filled once by the loaders, read-only afterwards.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TPhone {
  int32_t OwnerIndex;  // -1 for a phone record read before any owner record
  std::string Number;  // decimal text, made once at load time
  int32_t CityIndex;
  int32_t StreetIndex;
  int32_t House;
  std::string Corpus;
  int32_t Flat;
};

extern std::vector<std::string> Cities;
extern std::vector<std::string> Streets;
extern std::vector<std::string> Owners;
extern std::vector<TPhone> Phones;

// Bounds-checked lookups: an index outside its table reads as the empty name.
std::string_view OwnerName(const TPhone& phone);
std::string_view CityName(int32_t index);
std::string_view StreetName(int32_t index);

// Directory the three .dbr files are read from: by default the directory of the
// running executable (links resolved); tests and tools point it elsewhere.
void SetDataDirectory(std::string directory);
std::string DataFilePath(std::string_view fileName);

// Throw EInOutError on failure (see DataFile.h).
void LoadCities();
void LoadStreets();
