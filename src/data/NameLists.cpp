#include "data/NameLists.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "data/ChunkedReading.h"
#include "data/DataFile.h"
#include "data/DbrRecords.h"
#include "data/TableLimits.h"

namespace {

void LoadNameList(std::vector<std::string>& table, TDirectoryFiles& files, TDirectoryFiles::TWhich which) {
  table.assign(1, std::string());
  const std::unique_ptr<TDataFile> held = files.Take(which);
  TDataFile& file = *held;
  const std::string& path = file.Path();
  LoadWithinMemory(path, [&] {
    // Each name takes at least its length byte, which bounds the count in advance.
    table.reserve(std::min<uint64_t>(file.SizeAtOpen(), MaxListedNames + 1) + 1);
    ReadInChunks(file, file.SizeAtOpen(), 1 + MaxNameBytes, [&](std::string_view bytes) {
      size_t used = 0;
      ForEachNameRecord(bytes, [&](std::string_view name) {
        CheckRecordCount(table.size(), path, MaxListedNames);
        table.emplace_back(name);
        used = static_cast<size_t>(name.data() + name.size() - bytes.data());
      });
      return used;
    });
  });
  file.Close();
}

}  // namespace

void LoadCities(TDirectory& directory, TDirectoryFiles& files) {
  LoadNameList(directory.Cities, files, TDirectoryFiles::CitiesFile);
}

void LoadStreets(TDirectory& directory, TDirectoryFiles& files) {
  LoadNameList(directory.Streets, files, TDirectoryFiles::StreetsFile);
}

void LoadCities(TDirectory& directory, std::string_view folder) {
  TDirectoryFiles files(folder);
  LoadCities(directory, files);
}

void LoadStreets(TDirectory& directory, std::string_view folder) {
  TDirectoryFiles files(folder);
  LoadStreets(directory, files);
}
