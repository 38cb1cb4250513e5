#include "DirectoryWriter.h"

#include <QString>
#include <fstream>
#include <stdexcept>

#include "Text1251.h"

namespace {

std::string Cp1251(const std::string& utf8, size_t maxLength) {
  std::string text = ToCp1251(QString::fromUtf8(utf8));
  if (text.size() > maxLength) throw std::length_error("text too long for its record");
  return text;
}

void AppendName(std::string& file, const std::string& utf8Name, size_t maxLength) {
  const std::string name = Cp1251(utf8Name, maxLength);
  file += static_cast<char>(name.size());
  file += name;
}

void AppendLittleEndian(std::string& file, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) file += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

TDirectoryWriter& TDirectoryWriter::City(const std::string& name) {
  AppendName(cities_, name, 255);
  return *this;
}

TDirectoryWriter& TDirectoryWriter::Street(const std::string& name) {
  AppendName(streets_, name, 255);
  return *this;
}

TDirectoryWriter& TDirectoryWriter::Owner(const std::string& name) {
  AppendName(phones_, name, 127);
  return *this;
}

TDirectoryWriter& TDirectoryWriter::Phone(const TPhoneRecord& record) {
  const std::string corpus = Cp1251(record.Corpus, 127);
  phones_ += static_cast<char>(0x80 + corpus.size());
  AppendLittleEndian(phones_, static_cast<uint64_t>(record.Number), 8);
  AppendLittleEndian(phones_, record.City, 2);
  AppendLittleEndian(phones_, record.Street, 2);
  AppendLittleEndian(phones_, record.House, 2);
  AppendLittleEndian(phones_, record.Flat, 2);
  phones_ += corpus;
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
