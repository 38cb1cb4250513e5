#include "tools/DirectoryWriter.h"

#include <stdexcept>

#include "data/DbrRecords.h"

namespace {

// record holds the one record encode appends; a text too long for it fails like
// every other error of the writer.
template <typename TEncode>
const std::string& Encoded(std::string& record, TEncode&& encode) {
  record.clear();
  try {
    encode(record);
  } catch (const std::length_error& error) {
    throw std::runtime_error(error.what());
  }
  return record;
}

void WriteNameList(TReplacementFile& file, const std::vector<std::string>& names, std::string& record) {
  for (size_t i = 1; i < names.size(); ++i) {
    file.Write(Encoded(record, [&](std::string& out) { AppendNameRecord(out, names[i]); }));
  }
}

}  // namespace

TDataFilesWriter::TDataFilesWriter(const std::string& directory)
    : cities_(directory + "/Cities.dbr"), streets_(directory + "/Streets.dbr"), phones_(directory + "/Phones.dbr") {}

void TDataFilesWriter::AddOwner(std::string_view name) {
  phones_.Write(Encoded(record_, [&](std::string& out) { AppendOwnerRecord(out, name); }));
}

void TDataFilesWriter::AddPhone(const TDirectoryLine& line) {
  const TDbrPhone phone{line.Number, line.City, line.Street, line.House, line.Flat, line.Corpus};
  phones_.Write(Encoded(record_, [&](std::string& out) { AppendPhoneRecord(out, phone); }));
}

void TDataFilesWriter::Commit(const std::vector<std::string>& cities, const std::vector<std::string>& streets) {
  WriteNameList(cities_, cities, record_);
  WriteNameList(streets_, streets, record_);
  TReplacementFile::CommitTogether({&cities_, &streets_, &phones_});
}
