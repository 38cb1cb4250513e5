#include "tests/data/support/DirectoryFiles.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "data/DataFile.h"
#include "data/DbrRecords.h"
#include "data/LoadDirectory.h"

TTempDirectory::TTempDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "orlinar-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary directory");
  path_ = pattern;
}

TTempDirectory::~TTempDirectory() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
  std::filesystem::remove_all(path_, ignored);
}

void TTempDirectory::Write(std::string_view name, std::string_view bytes) const {
  std::ofstream file(FilePath(name), std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + FilePath(name));
}

std::string NameRecord(std::string_view name) {
  std::string record;
  AppendNameRecord(record, name);
  return record;
}

std::string OwnerRecord(std::string_view name) {
  std::string record;
  AppendOwnerRecord(record, name);
  return record;
}

std::string PhoneRecord(int64_t number, uint16_t city, uint16_t street, uint16_t house, uint16_t flat,
                        std::string_view corpus) {
  std::string record;
  AppendPhoneRecord(record, TDbrPhone{number, city, street, house, flat, corpus});
  return record;
}

void HandOverAtOnce(const std::function<void()>& procedure) { procedure(); }

std::shared_ptr<TDirectory> LoadPhonesFile(const TTempDirectory& dir, std::string_view phonesBytes) {
  dir.Write("Cities.dbr", "");
  dir.Write("Streets.dbr", "");
  dir.Write("Phones.dbr", phonesBytes);
  return LoadDirectory(dir.Path());
}

std::string ReadRest(TDataFile& file) {
  std::string content;
  char buffer[4096];
  while (const size_t got = file.Read(buffer, sizeof buffer)) content.append(buffer, got);
  return content;
}
