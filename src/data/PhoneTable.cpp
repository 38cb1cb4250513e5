#include "PhoneTable.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <stdexcept>

#include "Tables.h"

namespace {

uint64_t HashText(std::string_view text) {
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
  return hash;
}

// The value the tail test can work with, or -1 for any other text.
int64_t PlainValue(std::string_view text) {
  int64_t value = -1;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  const bool plain = result.ec == std::errc() && result.ptr == text.data() + text.size() && value >= 0 &&
                     (text.size() == 1 || text[0] != '0');
  return plain ? value : -1;
}

uint16_t NarrowField(int32_t value, const char* field) {
  if (value < 0 || value > 65535) throw std::out_of_range(std::string("phone ") + field + " outside 0..65535");
  return static_cast<uint16_t>(value);
}

}  // namespace

TNumberText::TNumberText(std::string_view text) { std::memcpy(digits_, text.data(), std::min(text.size(), Capacity)); }

TNumberText TNumberText::FromValue(int64_t value) {
  TNumberText number;
  std::to_chars(number.digits_, number.digits_ + Capacity, value);
  return number;
}

size_t TNumberText::size() const {
  const void* nul = std::memchr(digits_, 0, Capacity);
  return nul ? static_cast<size_t>(static_cast<const char*>(nul) - digits_) : Capacity;
}

TCorpusText::TCorpusText(std::string_view text) : Id(Phones.InternCorpus(text)) {}

TCorpusText TCorpusText::FromId(uint32_t id) {
  TCorpusText corpus;
  corpus.Id = id;
  return corpus;
}

TCorpusText::operator std::string_view() const {
  const TTextTable& texts = Phones.CorpusTexts();
  return Id < texts.size() ? texts[Id] : std::string_view();
}

TPhoneTable::TPhoneTable() { clear(); }

void TPhoneTable::push_back(const TPhone& phone) {
  const uint16_t city = NarrowField(phone.CityIndex, "city");
  const uint16_t street = NarrowField(phone.StreetIndex, "street");
  const uint16_t house = NarrowField(phone.House, "house");
  const uint16_t flat = NarrowField(phone.Flat, "flat");
  const size_t count = rows_.size();
  try {
    rows_.push_back(phone);
    owners_.push_back(phone.OwnerIndex);
    numbers_.push_back(PlainValue(phone.Number));
    cities_.push_back(city);
    streets_.push_back(street);
    houses_.push_back(house);
    flats_.push_back(flat);
  } catch (...) {
    Truncate(count);  // a failed growth must not leave the columns out of step
    throw;
  }
}

void TPhoneTable::Truncate(size_t count) {
  rows_.resize(std::min(rows_.size(), count));
  owners_.resize(std::min(owners_.size(), count));
  numbers_.resize(std::min(numbers_.size(), count));
  cities_.resize(std::min(cities_.size(), count));
  streets_.resize(std::min(streets_.size(), count));
  houses_.resize(std::min(houses_.size(), count));
  flats_.resize(std::min(flats_.size(), count));
}

void TPhoneTable::clear() {
  rows_.clear();
  owners_.clear();
  numbers_.clear();
  cities_.clear();
  streets_.clear();
  houses_.clear();
  flats_.clear();
  corpora_.clear();
  corpora_.push_back("");
  corpusSlots_.assign(16, 0);
}

void TPhoneTable::reserve(size_t count) {
  rows_.reserve(count);
  owners_.reserve(count);
  numbers_.reserve(count);
  cities_.reserve(count);
  streets_.reserve(count);
  houses_.reserve(count);
  flats_.reserve(count);
}

uint32_t TPhoneTable::InternCorpus(std::string_view text) {
  if (text.empty()) return 0;
  const size_t mask = corpusSlots_.size() - 1;
  size_t slot = HashText(text) & mask;
  while (corpusSlots_[slot] != 0) {
    if (corpora_[corpusSlots_[slot]] == text) return corpusSlots_[slot];
    slot = (slot + 1) & mask;
  }
  const auto id = static_cast<uint32_t>(corpora_.size());
  corpora_.push_back(text);
  corpusSlots_[slot] = id;
  if (corpora_.size() * 2 > corpusSlots_.size()) GrowCorpusSlots();
  return id;
}

void TPhoneTable::GrowCorpusSlots() {
  corpusSlots_.assign(corpusSlots_.size() * 2, 0);
  const size_t mask = corpusSlots_.size() - 1;
  for (uint32_t id = 1; id < corpora_.size(); ++id) {
    size_t slot = HashText(corpora_[id]) & mask;
    while (corpusSlots_[slot] != 0) slot = (slot + 1) & mask;
    corpusSlots_[slot] = id;
  }
}
