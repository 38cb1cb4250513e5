#include "DbrRecords.h"
#include "LoadDataThread.h"
#include "TableLimits.h"

namespace {

struct TFileCounts {
  size_t owners = 0;
  size_t ownerBytes = 0;
  size_t phones = 0;
};

// One pass over the records so that the tables are allocated once, at their final
// size and only when they can count it.
TFileCounts CountRecords(std::string_view content) {
  TFileCounts counts;
  ForEachPhonesRecord(
      content,
      [&](std::string_view name) {
        ++counts.owners;
        counts.ownerBytes += name.size();
      },
      [&](const TDbrPhone&) { ++counts.phones; });
  return counts;
}

}  // namespace

void LoadPhones(TLoadDataThread& loader) {
  Phones.clear();
  Owners.clear();
  loader.Count = 0;
  const std::string path = DataFilePath("Phones.dbr");
  TDataFile file(path);
  LoadWithinMemory(path, [&] {
    const std::string content = file.ReadToEnd();
    const TFileCounts counts = CountRecords(content);
    CheckRecordCount(counts.owners, path);
    CheckRecordCount(counts.phones, path);
    Owners.reserve(counts.owners, counts.ownerBytes);
    Phones.reserve(counts.phones);
    ForEachPhonesRecord(
        content, [](std::string_view name) { Owners.push_back(name); },
        [&](const TDbrPhone& phone) {
          // Exact: the owner count was checked against the signed 32-bit range.
          AddPhone(loader, static_cast<int32_t>(Owners.size()) - 1, phone.City, phone.Corpus, phone.Flat, phone.House,
                   phone.Street, phone.Number);
        });
  });
  file.Close();
}

void AddPhone(TLoadDataThread& loader, int32_t ownerIndex, int32_t cityIndex, std::string_view corpus, int32_t flat,
              int32_t house, int32_t streetIndex, int64_t number) {
  if (loader.Count == INT32_MAX) throw std::length_error("phone count exceeds the signed 32-bit range");
  ++loader.Count;
  Phones.push_back(TPhone{ownerIndex, TNumberText::FromValue(number), cityIndex, streetIndex, house,
                          TCorpusText::FromId(Phones.InternCorpus(corpus)), flat});
}
