#pragma once
// The two name lists, read at start-up before any window exists.

#include <string_view>

#include "data/Directory.h"

// Set the table to [""] and append every name of folder's "Cities.dbr" or
// "Streets.dbr"; throw EInOutError on failure (see DataFile.h).
void LoadCities(TDirectory& directory, std::string_view folder);
void LoadStreets(TDirectory& directory, std::string_view folder);
