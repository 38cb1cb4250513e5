#pragma once
// The phone table: one compact record per telephone line, plus a column per
// searched field so that a scan reads only the bytes it tests.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "TextTable.h"

// A number's decimal text held in place: 20 bytes cover every 64-bit value.
class TNumberText {
 public:
  TNumberText() = default;
  TNumberText(std::string_view text);  // keeps at most 20 bytes
  TNumberText(const char* text) : TNumberText(std::string_view(text)) {}
  TNumberText(const std::string& text) : TNumberText(std::string_view(text)) {}
  static TNumberText FromValue(int64_t value);

  operator std::string_view() const { return std::string_view(digits_, size()); }
  size_t size() const;
  bool operator==(std::string_view text) const { return std::string_view(*this) == text; }

  static constexpr size_t Capacity = 20;

 private:
  char digits_[Capacity] = {};
};

// A corpus text, stored once per distinct text in the table of the global Phones.
class TCorpusText {
 public:
  TCorpusText() = default;  // the empty text
  // Interns text into the global Phones; explicit, so that no conversion writes there unseen.
  explicit TCorpusText(std::string_view text);
  static TCorpusText FromId(uint32_t id);

  operator std::string_view() const;  // empty for an id Phones no longer holds
  bool empty() const { return std::string_view(*this).empty(); }
  bool operator==(std::string_view text) const { return std::string_view(*this) == text; }
  uint32_t Id = 0;  // 0 is the empty text
};

struct TPhone {
  int32_t OwnerIndex;  // -1 for a phone record read before any owner record
  TNumberText Number;  // decimal text, made once at load time
  int32_t CityIndex;
  int32_t StreetIndex;
  int32_t House;
  TCorpusText Corpus;
  int32_t Flat;
};

class TPhoneTable {
 public:
  TPhoneTable();

  size_t size() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }
  const TPhone& operator[](size_t index) const { return rows_[index]; }
  auto begin() const { return rows_.begin(); }
  auto end() const { return rows_.end(); }

  // Throws std::out_of_range when a city, street, house or flat lies outside
  // 0..65535 (no data file can hold one), which keeps the columns exact.
  void push_back(const TPhone& phone);
  void clear();  // also forgets the corpus texts
  void reserve(size_t count);

  uint32_t InternCorpus(std::string_view text);
  const TTextTable& CorpusTexts() const { return corpora_; }

  const std::vector<int32_t>& OwnerColumn() const { return owners_; }
  // The number's value, or -1 when its text is not a plain non-negative decimal.
  const std::vector<int64_t>& NumberColumn() const { return numbers_; }
  const std::vector<uint16_t>& CityColumn() const { return cities_; }
  const std::vector<uint16_t>& StreetColumn() const { return streets_; }
  const std::vector<uint16_t>& HouseColumn() const { return houses_; }
  const std::vector<uint16_t>& FlatColumn() const { return flats_; }

 private:
  void Truncate(size_t count);
  void GrowCorpusSlots();

  std::vector<TPhone> rows_;
  std::vector<int32_t> owners_;
  std::vector<int64_t> numbers_;
  std::vector<uint16_t> cities_;
  std::vector<uint16_t> streets_;
  std::vector<uint16_t> houses_;
  std::vector<uint16_t> flats_;
  TTextTable corpora_;
  std::vector<uint32_t> corpusSlots_;  // open-addressing set of corpus ids, 0 = free
};
