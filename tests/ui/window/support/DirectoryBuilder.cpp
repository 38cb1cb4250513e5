#include "tests/ui/window/support/DirectoryBuilder.h"

#include <QString>
#include <fstream>
#include <stdexcept>

#include "data/DbrRecords.h"
#include "ui/text/Text1251.h"

namespace {

std::string Cp1251(const std::string& utf8) { return ToCp1251(QString::fromUtf8(utf8)); }

}  // namespace

TDirectoryWriter& TDirectoryWriter::City(const std::string& name) {
  AppendNameRecord(cities_, Cp1251(name));
  return *this;
}

TDirectoryWriter& TDirectoryWriter::Street(const std::string& name) {
  AppendNameRecord(streets_, Cp1251(name));
  return *this;
}

TDirectoryWriter& TDirectoryWriter::Owner(const std::string& name) {
  AppendOwnerRecord(phones_, Cp1251(name));
  return *this;
}

TDirectoryWriter& TDirectoryWriter::Phone(const TPhoneRecord& record) {
  const std::string corpus = Cp1251(record.Corpus);
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
