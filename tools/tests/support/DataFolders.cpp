#include "tools/tests/support/DataFolders.h"

#include <filesystem>
#include <fstream>

#include "tests/data/support/DirectoryFiles.h"
#include "tests/data/support/Win1251.h"

const std::string PlainDirectoryText = "1\tИванов\tМосква\tул. Ленина\t2\t\t3\n";

void WritePlainDirectory(const std::string& folder) {
  std::filesystem::create_directories(folder);
  std::ofstream(folder + "/Cities.dbr", std::ios::binary) << NameRecord(W("Москва"));
  std::ofstream(folder + "/Streets.dbr", std::ios::binary) << NameRecord(W("ул. Ленина"));
  std::ofstream(folder + "/Phones.dbr", std::ios::binary) << OwnerRecord(W("Иванов")) + PhoneRecord(1, 1, 1, 2, 3);
}
