#include "data/ChunkedReading.h"
#include "data/DbrRecords.h"
#include "data/LoadDataThread.h"
#include "data/TableLimits.h"

namespace {

struct TFileCounts {
  uint64_t bytes = 0;
  size_t owners = 0;
  size_t ownerBytes = 0;
  size_t phones = 0;
  size_t negativeNumbers = 0;
};

// A first pass over the records so that the tables are allocated once, at their
// final size and only when they can count it: grown step by step they would need
// half as much again while they move.
TFileCounts CountRecords(TDataFile& file) {
  TFileCounts counts;
  counts.bytes = ReadInChunks(file, UINT64_MAX, MaxPhonesRecordBytes, [&](std::string_view content) {
    return ForEachPhonesRecord(
        content,
        [&](std::string_view name) {
          ++counts.owners;
          counts.ownerBytes += name.size();
        },
        [&](const TDbrPhone& phone) {
          ++counts.phones;
          counts.negativeNumbers += phone.Number < 0;
        });
  });
  return counts;
}

// Reads only the bytes counted: a file that grows meanwhile is taken as it was.
void FillTables(TDataFile& file, const TFileCounts& counts, TLoadDataThread& loader) {
  ReadInChunks(file, counts.bytes, MaxPhonesRecordBytes, [&](std::string_view content) {
    return ForEachPhonesRecord(
        content,
        [](std::string_view name) {
          // A file rewritten since it was counted may hold more owners than fit.
          if (Owners.size() == MaxTableRecords) throw std::length_error("owner count exceeds the signed 32-bit range");
          Owners.push_back(name);
        },
        [&](const TDbrPhone& phone) {
          AddPhone(loader, static_cast<int32_t>(Owners.size()) - 1, phone.City, phone.Corpus, phone.Flat, phone.House,
                   phone.Street, phone.Number);
        });
  });
}

}  // namespace

void LoadPhones(TLoadDataThread& loader) {
  Phones.clear();
  Owners.clear();
  loader.Count = 0;
  const std::string path = DataFilePath("Phones.dbr");
  TDataFile file(path);
  LoadWithinMemory(path, [&] {
    const TFileCounts counts = CountRecords(file);
    CheckRecordCount(counts.owners, path);
    CheckRecordCount(counts.phones, path);
    Owners.reserve(counts.owners, counts.ownerBytes);
    Phones.reserve(counts.phones, counts.negativeNumbers);
    file.Rewind();
    FillTables(file, counts, loader);
  });
  file.Close();
}

void AddPhone(TLoadDataThread& loader, int32_t ownerIndex, int32_t cityIndex, std::string_view corpus, int32_t flat,
              int32_t house, int32_t streetIndex, int64_t number) {
  if (loader.Count == INT32_MAX) throw std::length_error("phone count exceeds the signed 32-bit range");
  ++loader.Count;
  Phones.Append(ownerIndex, number, cityIndex, streetIndex, house, TCorpusText::FromId(Phones.InternCorpus(corpus)),
                flat);
}
