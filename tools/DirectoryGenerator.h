#pragma once
// Writes a synthetic directory (SyntheticDirectory.h) as the three data files.

#include <cstdint>
#include <string>

#include "tools/SyntheticDirectory.h"

// Writes Cities.dbr, Streets.dbr and Phones.dbr with phoneLines phone records
// into directory (which must exist), replacing the old files only once all are
// written. Throws std::runtime_error on a failed write.
void GenerateDirectory(const std::string& directory, int phoneLines, uint32_t seed, const TSyntheticShape& shape = {});
