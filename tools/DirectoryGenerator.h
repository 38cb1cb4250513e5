#pragma once
// A synthetic but realistic directory, the same for the same seed: people with
// full names in the right gender forms, companies and institutions, real city
// names each with its own streets, city and mobile numbers.

#include <cstdint>
#include <string>

// Where the telephone numbers come from. A city whose range fills up moves on to
// numbers of one digit more, and mobile lines to city numbers once the mobile range
// is full, so that any number of lines gets unique numbers.
struct TNumberRanges {
  int SmallCityDigits = 6;                // digits of a small city's numbers, the first 2 to 9; larger cities one more
  int64_t MobileNumbers = 1'000'000'000;  // mobile numbers from 9000000000 on
};

// Writes Cities.dbr, Streets.dbr and Phones.dbr with phoneLines phone records
// into directory (which must exist), replacing the old files only once all are
// written. Throws std::runtime_error on a failed write.
void GenerateDirectory(const std::string& directory, int phoneLines, uint32_t seed, const TNumberRanges& ranges = {});
