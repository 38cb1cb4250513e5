#include "data/DbrRecords.h"

#include <stdexcept>

namespace {

void RequireFits(std::string_view text, size_t limit, const char* field) {
  if (text.size() > limit) {
    throw std::length_error(std::string(field) + " longer than " + std::to_string(limit) + " bytes");
  }
}

void AppendLittleEndian(std::string& out, uint64_t value, size_t bytes) {
  for (size_t i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

void AppendNameRecord(std::string& out, std::string_view name) {
  RequireFits(name, MaxNameBytes, "name");
  out += static_cast<char>(name.size());
  out += name;
}

void AppendOwnerRecord(std::string& out, std::string_view name) {
  RequireFits(name, MaxOwnerBytes, "subscriber name");
  out += static_cast<char>(name.size());
  out += name;
}

void AppendPhoneRecord(std::string& out, const TDbrPhone& phone) {
  RequireFits(phone.Corpus, MaxCorpusBytes, "corpus");
  out += static_cast<char>(PhoneTagBit | phone.Corpus.size());
  AppendLittleEndian(out, static_cast<uint64_t>(phone.Number), PhoneCityAt - PhoneNumberAt);
  AppendLittleEndian(out, phone.City, PhoneStreetAt - PhoneCityAt);
  AppendLittleEndian(out, phone.Street, PhoneHouseAt - PhoneStreetAt);
  AppendLittleEndian(out, phone.House, PhoneFlatAt - PhoneHouseAt);
  AppendLittleEndian(out, phone.Flat, PhoneCorpusAt - PhoneFlatAt);
  out += phone.Corpus;
}
