#include <string_view>

#include "DataFile.h"
#include "TableLimits.h"
#include "Tables.h"

namespace {

// A final name cut short by the end of the file is dropped rather than taken with
// bytes the file does not hold, the same rule as for phone records.
size_t CountWholeNames(std::string_view content) {
  size_t count = 0;
  for (size_t at = 0; at < content.size(); ++count) {
    const auto length = static_cast<unsigned char>(content[at]);
    if (content.size() - at - 1 < length) break;
    at += 1 + length;
  }
  return count;
}

void LoadNameList(std::vector<std::string>& table, std::string_view fileName) {
  table.assign(1, std::string());
  const std::string path = DataFilePath(fileName);
  TDataFile file(path);
  LoadWithinMemory(path, [&] {
    const std::string content = file.ReadToEnd();
    const size_t count = CountWholeNames(content);
    CheckRecordCount(count, path);
    table.reserve(count + 1);
    for (size_t at = 0; table.size() <= count;) {
      const auto length = static_cast<unsigned char>(content[at]);
      table.emplace_back(content, at + 1, length);
      at += 1 + length;
    }
  });
  file.Close();
}

}  // namespace

void LoadCities() { LoadNameList(Cities, "Cities.dbr"); }

void LoadStreets() { LoadNameList(Streets, "Streets.dbr"); }
