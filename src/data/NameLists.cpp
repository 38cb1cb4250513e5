#include <string_view>

#include "DataFile.h"
#include "Tables.h"

namespace {

// A final name cut short by the end of the file is dropped rather than taken with
// bytes the file does not hold, the same rule as for phone records.
void LoadNameList(std::vector<std::string>& table, std::string_view fileName) {
  table.assign(1, std::string());
  TDataFile file(DataFilePath(fileName));
  const std::string content = file.ReadToEnd();
  size_t at = 0;
  while (at < content.size()) {
    const auto length = static_cast<unsigned char>(content[at]);
    if (content.size() - at - 1 < length) break;
    table.emplace_back(content, at + 1, length);
    at += 1 + length;
  }
  file.Close();
}

}  // namespace

void LoadCities() { LoadNameList(Cities, "Cities.dbr"); }

void LoadStreets() { LoadNameList(Streets, "Streets.dbr"); }
