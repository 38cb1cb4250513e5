#include "DirectoryWriter.h"

#include <stdexcept>

namespace {

void AppendLittleEndian(std::string& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void RequireLength(std::string_view text, size_t limit, const char* what) {
  if (text.size() > limit) {
    throw std::runtime_error(std::string(what) + " longer than " + std::to_string(limit) + " bytes");
  }
}

void WriteNameList(TReplacementFile& file, const std::vector<std::string>& names) {
  for (size_t i = 1; i < names.size(); ++i) {
    RequireLength(names[i], 255, "name");
    const auto length = static_cast<char>(names[i].size());
    file.Write(std::string_view(&length, 1));
    file.Write(names[i]);
  }
}

}  // namespace

TDataFilesWriter::TDataFilesWriter(const std::string& directory)
    : cities_(directory + "/Cities.dbr"), streets_(directory + "/Streets.dbr"), phones_(directory + "/Phones.dbr") {}

void TDataFilesWriter::AddOwner(std::string_view name) {
  RequireLength(name, 127, "subscriber name");
  record_.assign(1, static_cast<char>(name.size()));
  record_ += name;
  phones_.Write(record_);
}

void TDataFilesWriter::AddPhone(const TDirectoryLine& line) {
  RequireLength(line.Corpus, 127, "corpus");
  record_.assign(1, static_cast<char>(0x80 + line.Corpus.size()));
  AppendLittleEndian(record_, static_cast<uint64_t>(line.Number), 8);
  AppendLittleEndian(record_, line.City, 2);
  AppendLittleEndian(record_, line.Street, 2);
  AppendLittleEndian(record_, line.House, 2);
  AppendLittleEndian(record_, line.Flat, 2);
  record_ += line.Corpus;
  phones_.Write(record_);
}

void TDataFilesWriter::Commit(const std::vector<std::string>& cities, const std::vector<std::string>& streets) {
  WriteNameList(cities_, cities);
  WriteNameList(streets_, streets);
  TReplacementFile::CommitTogether({&cities_, &streets_, &phones_});
}
