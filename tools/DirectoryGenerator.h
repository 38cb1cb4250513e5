#pragma once
// A synthetic but realistic directory, the same for the same seed: people with
// full names in the right gender forms, companies and institutions, real city
// names each with its own streets, city and mobile numbers.

#include <cstdint>
#include <string>

// Writes Cities.dbr, Streets.dbr and Phones.dbr with phoneLines phone records
// into directory (which must exist). Throws std::runtime_error on a failed write.
void GenerateDirectory(const std::string& directory, int phoneLines, uint32_t seed);
