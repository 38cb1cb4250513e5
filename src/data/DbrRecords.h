#pragma once
// The records of the .dbr files, the one place that knows their bytes. The files
// have no header, count or terminator, and numbers are little-endian.
//
// Cities.dbr and Streets.dbr hold name records: a length byte, then the name.
// Phones.dbr holds owner and phone records behind a tag byte, whose top bit marks
// a phone record and whose low seven bits are the length of the text ending it:
//   owner record  tag = L           name (L bytes)
//   phone record  tag = 0x80 + L    number, signed 64-bit, at 1
//                                   city, street, house, flat, unsigned 16-bit, at 9, 11, 13, 15
//                                   corpus (L bytes) at 17

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

constexpr size_t MaxNameBytes = 255;
// A phone record's city, street, house and flat are unsigned 16-bit numbers.
constexpr int32_t MaxPhoneField = UINT16_MAX;
// The names a record can refer to in one list; index 0 is the empty name, in no file.
constexpr size_t MaxListedNames = MaxPhoneField;

constexpr unsigned char PhoneTagBit = 0x80;
constexpr unsigned char TagLengthMask = 0x7F;
constexpr size_t MaxOwnerBytes = TagLengthMask;
constexpr size_t MaxCorpusBytes = TagLengthMask;

// Offsets of a phone record's fields from its tag byte.
constexpr size_t PhoneNumberAt = 1;
constexpr size_t PhoneCityAt = 9;
constexpr size_t PhoneStreetAt = 11;
constexpr size_t PhoneHouseAt = 13;
constexpr size_t PhoneFlatAt = 15;
constexpr size_t PhoneCorpusAt = 17;
constexpr size_t MaxPhonesRecordBytes = PhoneCorpusAt + MaxCorpusBytes;

// A phone record's fields; a decoded Corpus points into the bytes it came from.
struct TDbrPhone {
  int64_t Number = 0;
  uint16_t City = 0;
  uint16_t Street = 0;
  uint16_t House = 0;
  uint16_t Flat = 0;
  std::string_view Corpus;
};

// Each appends one record to out. A text longer than its length byte can count
// throws std::length_error, naming the field and its limit, and leaves out as it was.
void AppendNameRecord(std::string& out, std::string_view name);
void AppendOwnerRecord(std::string& out, std::string_view name);
void AppendPhoneRecord(std::string& out, const TDbrPhone& phone);

inline bool IsPhoneTag(unsigned char tag) { return tag & PhoneTagBit; }

// The size of the Phones.dbr record that starts with tag.
inline size_t PhonesRecordSize(unsigned char tag) {
  return (IsPhoneTag(tag) ? PhoneCorpusAt : 1) + (tag & TagLengthMask);
}

namespace dbr_detail {

template <typename T>
T ReadLittleEndian(const char* bytes) {
  T value = 0;
  for (size_t i = 0; i < sizeof(T); ++i) value |= static_cast<T>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  return value;
}

// record holds the whole phone record.
inline TDbrPhone DecodePhoneRecord(const char* record) {
  const auto tag = static_cast<unsigned char>(record[0]);
  return TDbrPhone{static_cast<int64_t>(ReadLittleEndian<uint64_t>(record + PhoneNumberAt)),
                   ReadLittleEndian<uint16_t>(record + PhoneCityAt),
                   ReadLittleEndian<uint16_t>(record + PhoneStreetAt),
                   ReadLittleEndian<uint16_t>(record + PhoneHouseAt),
                   ReadLittleEndian<uint16_t>(record + PhoneFlatAt),
                   std::string_view(record + PhoneCorpusAt, tag & TagLengthMask)};
}

}  // namespace dbr_detail

// The decoders call back once per record, in file order, with views into content.
// A final record cut short by the end of content is dropped: the bytes it lacks
// are not there, and it never borrows bytes of an earlier record.

// onName(std::string_view name) for each name record of Cities.dbr or Streets.dbr.
template <typename TOnName>
void ForEachNameRecord(std::string_view content, TOnName&& onName) {
  for (size_t at = 0; at < content.size();) {
    const size_t length = static_cast<unsigned char>(content[at]);
    if (content.size() - at - 1 < length) return;
    onName(content.substr(at + 1, length));
    at += 1 + length;
  }
}

// onOwner(std::string_view name) for each owner record and onPhone(const TDbrPhone&)
// for each phone record of Phones.dbr. Returns the bytes the whole records take,
// where a record cut short begins.
template <typename TOnOwner, typename TOnPhone>
size_t ForEachPhonesRecord(std::string_view content, TOnOwner&& onOwner, TOnPhone&& onPhone) {
  size_t at = 0;
  while (at < content.size()) {
    const char* record = content.data() + at;
    const auto tag = static_cast<unsigned char>(record[0]);
    const size_t size = PhonesRecordSize(tag);
    if (content.size() - at < size) break;
    if (IsPhoneTag(tag)) {
      onPhone(dbr_detail::DecodePhoneRecord(record));
    } else {
      onOwner(std::string_view(record + 1, tag));
    }
    at += size;
  }
  return at;
}
