#include "data/NameLists.h"

#include "data/DataFile.h"
#include "data/DataFilePath.h"
#include "data/DbrRecords.h"
#include "data/TableLimits.h"

namespace {

void LoadNameList(std::vector<std::string>& table, std::string_view folder, std::string_view fileName) {
  table.assign(1, std::string());
  const std::string path = DataFilePath(folder, fileName);
  TDataFile file(path);
  LoadWithinMemory(path, [&] {
    const std::string content = file.ReadToEnd();
    size_t count = 0;
    ForEachNameRecord(content, [&](std::string_view) { ++count; });
    CheckRecordCount(count, path);
    table.reserve(count + 1);
    ForEachNameRecord(content, [&](std::string_view name) { table.emplace_back(name); });
  });
  file.Close();
}

}  // namespace

void LoadCities(TDirectory& directory, std::string_view folder) {
  LoadNameList(directory.Cities, folder, "Cities.dbr");
}

void LoadStreets(TDirectory& directory, std::string_view folder) {
  LoadNameList(directory.Streets, folder, "Streets.dbr");
}
