#include "tools/tests/support/DataFolders.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "tests/data/support/DirectoryFiles.h"
#include "tests/support/Cp1251Literal.h"

const std::string PlainDirectoryText = "1\tИванов\tМосква\tул. Ленина\t2\t\t3\n";

void WritePlainDirectory(const std::string& folder) {
  std::filesystem::create_directories(folder);
  std::ofstream(folder + "/Cities.dbr", std::ios::binary) << NameRecord(Cp("Москва"));
  std::ofstream(folder + "/Streets.dbr", std::ios::binary) << NameRecord(Cp("ул. Ленина"));
  std::ofstream(folder + "/Phones.dbr", std::ios::binary) << OwnerRecord(Cp("Иванов")) + PhoneRecord(1, 1, 1, 2, 3);
}

std::vector<std::string> LayoutOf(const std::string& folder) {
  const std::string prefix = ".orlinar-generation-";
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::string name = entry.path().filename();
    const bool generation =
        name.starts_with(prefix) && name.size() == prefix.size() + 6 &&
        std::all_of(name.begin() + prefix.size(), name.end(), [](unsigned char c) { return std::isalnum(c); });
    names.push_back(generation ? prefix + "*" : name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> ManagedLayout(std::vector<std::string> extra) {
  extra.insert(extra.end(), {".orlinar-current", ".orlinar-generation-*", "Cities.dbr", "Phones.dbr", "Streets.dbr"});
  std::sort(extra.begin(), extra.end());
  return extra;
}
