#pragma once
// The two name lists, read at start-up before any window exists.

#include <string_view>

#include "data/Directory.h"
#include "data/DirectoryFiles.h"

// Set the table to [""] and append every name of "Cities.dbr" or "Streets.dbr", the
// one files holds or the one in folder; throw EInOutError on failure (see DataFile.h).
void LoadCities(TDirectory& directory, TDirectoryFiles& files);
void LoadStreets(TDirectory& directory, TDirectoryFiles& files);
void LoadCities(TDirectory& directory, std::string_view folder);
void LoadStreets(TDirectory& directory, std::string_view folder);
