#include <cstring>

#include "LoadDataThread.h"
#include "TableLimits.h"

namespace {

constexpr size_t PhoneFixedBytes = 16;

struct TFileCounts {
  size_t owners = 0;
  size_t ownerBytes = 0;
  size_t phones = 0;
};

template <typename T>
T ReadLittleEndian(const char* bytes) {
  T value = 0;
  for (size_t i = 0; i < sizeof(T); ++i) value |= static_cast<T>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  return value;
}

bool IsPhoneTag(unsigned char tag) { return tag & 0x80; }

size_t RecordSize(unsigned char tag) { return 1 + (IsPhoneTag(tag) ? PhoneFixedBytes : 0) + (tag & 0x7F); }

// One pass over the tags so that the tables are allocated once, at their final size
// and only when they can count it. A final record cut short does not count.
TFileCounts CountRecords(std::string_view content) {
  TFileCounts counts;
  for (size_t at = 0; at < content.size();) {
    const auto tag = static_cast<unsigned char>(content[at]);
    if (content.size() - at < RecordSize(tag)) break;
    if (IsPhoneTag(tag)) {
      ++counts.phones;
    } else {
      ++counts.owners;
      counts.ownerBytes += tag;
    }
    at += RecordSize(tag);
  }
  return counts;
}

void AddPhoneRecord(TLoadDataThread& loader, const char* record, int32_t ownerIndex) {
  const auto tag = static_cast<unsigned char>(record[0]);
  AddPhone(loader, ownerIndex, ReadLittleEndian<uint16_t>(record + 9),
           std::string_view(record + 1 + PhoneFixedBytes, tag & 0x7F), ReadLittleEndian<uint16_t>(record + 15),
           ReadLittleEndian<uint16_t>(record + 13), ReadLittleEndian<uint16_t>(record + 11),
           static_cast<int64_t>(ReadLittleEndian<uint64_t>(record + 1)));
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
    for (size_t at = 0; at < content.size();) {
      const auto tag = static_cast<unsigned char>(content[at]);
      const size_t size = RecordSize(tag);
      // A final record cut short by the end of the file is dropped: the bytes it
      // lacks are not in the file, and it never borrows bytes of an earlier record.
      if (content.size() - at < size) break;
      if (IsPhoneTag(tag)) {
        // Exact: the owner count was checked against the signed 32-bit range.
        AddPhoneRecord(loader, content.data() + at, static_cast<int32_t>(Owners.size()) - 1);
      } else {
        Owners.push_back(std::string_view(content).substr(at + 1, tag));
      }
      at += size;
    }
  });
  file.Close();
}

void AddPhone(TLoadDataThread& loader, int32_t ownerIndex, int32_t cityIndex, std::string_view corpus,
              int32_t flat, int32_t house, int32_t streetIndex, int64_t number) {
  if (loader.Count == INT32_MAX) throw std::length_error("phone count exceeds the signed 32-bit range");
  ++loader.Count;
  Phones.push_back(TPhone{ownerIndex, TNumberText::FromValue(number), cityIndex, streetIndex, house,
                          TCorpusText::FromId(Phones.InternCorpus(corpus)), flat});
}
