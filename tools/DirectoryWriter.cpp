#include "tools/DirectoryWriter.h"

#include <stdexcept>

#include "data/DbrRecords.h"
#include "tools/GenerationWriter.h"

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

void WriteNameList(TDataFileSet& files, TDataFileKind file, const std::vector<std::string>& names,
                   std::string& record) {
  for (size_t i = 1; i < names.size(); ++i) {
    files.Write(file, Encoded(record, [&](std::string& out) { AppendNameRecord(out, names[i]); }));
  }
}

}  // namespace

TDataFilesWriter::TDataFilesWriter(const std::string& directory)
    : owned_(std::make_unique<TGenerationWriter>(directory)), files_(*owned_) {}

void TDataFilesWriter::AddOwner(std::string_view name) {
  files_.Write(TDataFileKind::Phones, Encoded(record_, [&](std::string& out) { AppendOwnerRecord(out, name); }));
}

void TDataFilesWriter::AddPhone(const TDirectoryLine& line) {
  const TDbrPhone phone{line.Number, line.City, line.Street, line.House, line.Flat, line.Corpus};
  files_.Write(TDataFileKind::Phones, Encoded(record_, [&](std::string& out) { AppendPhoneRecord(out, phone); }));
}

void TDataFilesWriter::Commit(const std::vector<std::string>& cities, const std::vector<std::string>& streets) {
  WriteNameList(files_, TDataFileKind::Cities, cities, record_);
  WriteNameList(files_, TDataFileKind::Streets, streets, record_);
  files_.Commit();
}
