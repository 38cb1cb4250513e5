#include "data/PhoneTable.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <stdexcept>

#include "data/ResidentMemory.h"

namespace {

uint64_t HashText(std::string_view text) {
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
  return hash;
}

// The value of a text that writing the value out gives back, or -1 for any other.
int64_t PlainValue(std::string_view text) {
  int64_t value = -1;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  const bool plain = result.ec == std::errc() && result.ptr == text.data() + text.size() && value >= 0 &&
                     std::string_view(TNumberText::FromValue(value)) == text;
  return plain ? value : -1;
}

uint32_t LastDigits(int64_t value) {
  constexpr int64_t wrap = TPhoneTable::NineDigitsWrap;
  if (value < 0) return TPhoneTable::NoLastDigits;
  return static_cast<uint32_t>(value < wrap ? value : wrap + value % wrap);
}

template <typename T>
void Release(std::vector<T>& column) {
  std::vector<T>().swap(column);
}

[[noreturn]] __attribute__((noinline)) void ThrowFieldOutOfRange(const char* field) {
  throw std::out_of_range(std::string("phone ") + field + " outside 0.." + std::to_string(MaxPhoneField));
}

// Every field of every line passes here: the message is built out of line.
inline uint16_t NarrowField(int32_t value, const char* field) {
  if (value < 0 || value > MaxPhoneField) [[unlikely]]
    ThrowFieldOutOfRange(field);
  return static_cast<uint16_t>(value);
}

}  // namespace

TNumberText::TNumberText(std::string_view text) { std::memcpy(digits_, text.data(), std::min(text.size(), Capacity)); }

size_t TNumberText::size() const {
  const void* nul = std::memchr(digits_, 0, Capacity);
  return nul ? static_cast<size_t>(static_cast<const char*>(nul) - digits_) : Capacity;
}

TCorpusText::TCorpusText(TPhoneTable& table, std::string_view text)
    : Id(table.InternCorpus(text)), texts_(&table.CorpusTexts()) {}

TCorpusText::operator std::string_view() const {
  return texts_ && Id < texts_->size() ? (*texts_)[Id] : std::string_view();
}

TPhoneTable::TPhoneTable() { clear(); }

void TPhoneTable::push_back(const TPhone& phone) {
  const std::string_view text = phone.Number;
  const int64_t value = PlainValue(text);
  const TCorpusText corpus =
      phone.Corpus.Texts() == &corpora_ ? phone.Corpus : TCorpusText(*this, std::string_view(phone.Corpus));
  AppendRow(phone.OwnerIndex, value, phone.CityIndex, phone.StreetIndex, phone.House, corpus, phone.Flat,
            value < 0 ? &phone.Number : nullptr);
}

void TPhoneTable::Append(int32_t ownerIndex, const TDbrPhone& phone) {
  const TCorpusText corpus(*this, phone.Corpus);
  const int64_t number = phone.Number;
  if (number >= 0) {
    AppendRow(ownerIndex, number, phone.City, phone.Street, phone.House, corpus, phone.Flat, nullptr);
  } else {
    const TNumberText text = TNumberText::FromValue(number);
    AppendRow(ownerIndex, -1, phone.City, phone.Street, phone.House, corpus, phone.Flat, &text);
  }
}

void TPhoneTable::AppendRow(int32_t ownerIndex, int64_t value, int32_t cityIndex, int32_t streetIndex, int32_t house,
                            TCorpusText corpus, int32_t flat, const TNumberText* otherText) {
  const uint16_t city = NarrowField(cityIndex, "city");
  const uint16_t street = NarrowField(streetIndex, "street");
  const uint16_t houseNumber = NarrowField(house, "house");
  const uint16_t flatNumber = NarrowField(flat, "flat");
  const size_t count = size();
  try {
    if (otherText) otherNumbers_.push_back(TOtherNumber{static_cast<uint32_t>(count), *otherText});
    owners_.push_back(ownerIndex);
    numbers_.push_back(value);
    lastDigits_.push_back(LastDigits(value));
    cities_.push_back(city);
    streets_.push_back(street);
    houses_.push_back(houseNumber);
    flats_.push_back(flatNumber);
    corpusIds_.push_back(corpus.Id);
  } catch (...) {
    Truncate(count);  // a failed growth must not leave the columns out of step
    throw;
  }
}

TNumberText TPhoneTable::OtherNumberText(size_t index) const {
  const auto found = std::lower_bound(otherNumbers_.begin(), otherNumbers_.end(), index,
                                      [](const TOtherNumber& other, size_t row) { return other.Row < row; });
  return found != otherNumbers_.end() && found->Row == index ? found->Text : TNumberText();
}

void TPhoneTable::Truncate(size_t count) {
  owners_.resize(std::min(owners_.size(), count));
  numbers_.resize(std::min(numbers_.size(), count));
  lastDigits_.resize(std::min(lastDigits_.size(), count));
  cities_.resize(std::min(cities_.size(), count));
  streets_.resize(std::min(streets_.size(), count));
  houses_.resize(std::min(houses_.size(), count));
  flats_.resize(std::min(flats_.size(), count));
  corpusIds_.resize(std::min(corpusIds_.size(), count));
  while (!otherNumbers_.empty() && otherNumbers_.back().Row >= count) otherNumbers_.pop_back();
}

void TPhoneTable::clear() {
  Release(owners_);
  Release(numbers_);
  Release(lastDigits_);
  Release(cities_);
  Release(streets_);
  Release(houses_);
  Release(flats_);
  Release(corpusIds_);
  Release(otherNumbers_);
  corpora_.clear();
  corpora_.push_back("");
  corpusSlots_.assign(16, 0);
}

void TPhoneTable::reserve(size_t count, size_t otherNumbers) {
  owners_.reserve(count);
  numbers_.reserve(count);
  lastDigits_.reserve(count);
  cities_.reserve(count);
  streets_.reserve(count);
  houses_.reserve(count);
  flats_.reserve(count);
  corpusIds_.reserve(count);
  otherNumbers_.reserve(otherNumbers);
}

std::vector<TReservedBlock> TPhoneTable::ReservedBlocks() {
  return {ReservedBlockOf(owners_), ReservedBlockOf(numbers_),  ReservedBlockOf(lastDigits_),
          ReservedBlockOf(cities_), ReservedBlockOf(streets_),  ReservedBlockOf(houses_),
          ReservedBlockOf(flats_),  ReservedBlockOf(corpusIds_)};
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
