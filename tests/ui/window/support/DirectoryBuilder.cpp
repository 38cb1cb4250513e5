#include "tests/ui/window/support/DirectoryBuilder.h"

#include <fstream>
#include <stdexcept>

#include "data/DbrRecords.h"
#include "tests/support/Cp1251Literal.h"

TDirectoryWriter& TDirectoryWriter::City(const std::string& name) {
  AppendNameRecord(cities_, Cp(name));
  return *this;
}

TDirectoryWriter& TDirectoryWriter::Street(const std::string& name) {
  AppendNameRecord(streets_, Cp(name));
  return *this;
}

TDirectoryWriter& TDirectoryWriter::Owner(const std::string& name) {
  AppendOwnerRecord(phones_, Cp(name));
  return *this;
}

TDirectoryWriter& TDirectoryWriter::Phone(const TPhoneRecord& record) {
  const std::string corpus = Cp(record.Corpus);
  AppendPhoneRecord(phones_, TDbrPhone{record.Number, record.City, record.Street, record.House, record.Flat, corpus});
  return *this;
}

void TDirectoryWriter::Save(const std::string& directory, bool cities, bool streets, bool phones) const {
  if (cities) WriteFile(directory + "/Cities.dbr", cities_);
  if (streets) WriteFile(directory + "/Streets.dbr", streets_);
  if (phones) WriteFile(directory + "/Phones.dbr", phones_);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}
