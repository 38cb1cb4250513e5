#pragma once
// The four directory tables. Filled once by the loaders, read-only afterwards.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/PhoneTable.h"
#include "data/TextTable.h"

extern std::vector<std::string> Cities;
extern std::vector<std::string> Streets;
extern TTextTable Owners;
extern TPhoneTable Phones;

// Bounds-checked lookups: an index outside its table reads as the empty name.
std::string_view OwnerName(const TPhone& phone);
std::string_view OwnerNameAt(int32_t ownerIndex);  // the empty name outside the table
std::string_view CityName(int32_t index);
std::string_view StreetName(int32_t index);

// Directory the three .dbr files are read from: by default the directory of the
// running executable (links resolved); tests and tools point it elsewhere.
void SetDataDirectory(std::string directory);
std::string DataFilePath(std::string_view fileName);

// Throw EInOutError on failure (see DataFile.h).
void LoadCities();
void LoadStreets();
