#pragma once
// The phone table: a column per field, so that a scan reads only the bytes it
// tests and a line costs no more than its values. A record is put together from
// the columns when asked for.

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/DbrRecords.h"
#include "data/ResidentMemory.h"
#include "data/TextTable.h"

// A number's decimal text held in place: 20 bytes cover every 64-bit value.
class TNumberText {
 public:
  TNumberText() = default;
  TNumberText(std::string_view text);  // keeps at most 20 bytes
  TNumberText(const char* text) : TNumberText(std::string_view(text)) {}
  TNumberText(const std::string& text) : TNumberText(std::string_view(text)) {}
  static TNumberText FromValue(int64_t value) {
    TNumberText number;
    std::to_chars(number.digits_, number.digits_ + Capacity, value);
    return number;
  }

  operator std::string_view() const { return std::string_view(digits_, size()); }
  size_t size() const;
  bool operator==(std::string_view text) const { return std::string_view(*this) == text; }

  static constexpr size_t Capacity = 20;

 private:
  char digits_[Capacity] = {};
};

class TPhoneTable;

// A corpus text, stored once per distinct text among the corpus texts of one phone
// table, through which it reads.
class TCorpusText {
 public:
  TCorpusText() = default;  // the empty text
  // Interns text into table; explicit, so that no conversion writes there unseen.
  explicit TCorpusText(TPhoneTable& table, std::string_view text);
  TCorpusText(const TTextTable& texts, uint32_t id) : Id(id), texts_(&texts) {}

  operator std::string_view() const;  // empty for an id its table no longer holds
  bool empty() const { return std::string_view(*this).empty(); }
  bool operator==(std::string_view text) const { return std::string_view(*this) == text; }
  const TTextTable* Texts() const { return texts_; }  // null for the empty text made by default
  uint32_t Id = 0;                                    // 0 is the empty text

 private:
  const TTextTable* texts_ = nullptr;
};

struct TPhone {
  int32_t OwnerIndex;  // -1 for a phone record read before any owner record
  TNumberText Number;  // decimal text; the table keeps the value and writes it out when asked
  int32_t CityIndex;
  int32_t StreetIndex;
  int32_t House;
  TCorpusText Corpus;
  int32_t Flat;
};

class TPhoneTable {
 public:
  class TIterator {
   public:
    TIterator(const TPhoneTable& table, size_t index) : table_(&table), index_(index) {}
    TPhone operator*() const { return (*table_)[index_]; }
    TIterator& operator++() {
      ++index_;
      return *this;
    }
    bool operator==(const TIterator& other) const { return index_ == other.index_; }

   private:
    const TPhoneTable* table_;
    size_t index_;
  };

  TPhoneTable();

  size_t size() const { return owners_.size(); }
  bool empty() const { return owners_.empty(); }
  TPhone operator[](size_t index) const {
    return TPhone{owners_[index], NumberOf(index), cities_[index], streets_[index],
                  houses_[index], CorpusOf(index), flats_[index]};
  }
  TIterator begin() const { return TIterator(*this, 0); }
  TIterator end() const { return TIterator(*this, size()); }
  TNumberText NumberOf(size_t index) const {
    const int64_t value = numbers_[index];
    return value >= 0 ? TNumberText::FromValue(value) : OtherNumberText(index);
  }
  TCorpusText CorpusOf(size_t index) const { return TCorpusText(corpora_, corpusIds_[index]); }

  // Throws std::out_of_range when a city, street, house or flat lies outside
  // 0..65535 (no data file can hold one), which keeps the columns exact. A corpus
  // of another table is interned here by its text.
  void push_back(const TPhone& phone);
  // A phone record as the file holds it, as the line of owner ownerIndex; its
  // corpus is interned here.
  void Append(int32_t ownerIndex, const TDbrPhone& phone);
  void clear();  // also forgets the corpus texts and gives the memory back
  // Room for count lines, of which otherNumbers have a number that is not a plain
  // non-negative decimal.
  void reserve(size_t count, size_t otherNumbers = 0);
  // The columns' memory from their starts to their reserved ends, to be made resident.
  std::vector<TReservedBlock> ReservedBlocks();

  uint32_t InternCorpus(std::string_view text);
  const TTextTable& CorpusTexts() const { return corpora_; }

  const std::vector<int32_t>& OwnerColumn() const { return owners_; }
  // The number's value, or -1 when its text is not a plain non-negative decimal.
  const std::vector<int64_t>& NumberColumn() const { return numbers_; }
  // Half the bytes of NumberColumn for the tail test of up to nine digits: the
  // number's last nine digits, plus NineDigitsWrap when it has more;
  // NoLastDigits for a number text without a plain value.
  static constexpr uint32_t NineDigitsWrap = 1'000'000'000;
  static constexpr uint32_t NoLastDigits = UINT32_MAX;
  const std::vector<uint32_t>& LastDigitsColumn() const { return lastDigits_; }
  const std::vector<uint16_t>& CityColumn() const { return cities_; }
  const std::vector<uint16_t>& StreetColumn() const { return streets_; }
  const std::vector<uint16_t>& HouseColumn() const { return houses_; }
  const std::vector<uint16_t>& FlatColumn() const { return flats_; }
  const std::vector<uint32_t>& CorpusColumn() const { return corpusIds_; }

 private:
  // The text of a number that its value cannot give back; few lines have one.
  struct TOtherNumber {
    uint32_t Row;
    TNumberText Text;
  };

  void AppendRow(int32_t ownerIndex, int64_t value, int32_t cityIndex, int32_t streetIndex, int32_t house,
                 TCorpusText corpus, int32_t flat, const TNumberText* otherText);
  TNumberText OtherNumberText(size_t index) const;
  void Truncate(size_t count);
  void GrowCorpusSlots();

  std::vector<int32_t> owners_;
  std::vector<int64_t> numbers_;
  std::vector<uint32_t> lastDigits_;
  std::vector<uint16_t> cities_;
  std::vector<uint16_t> streets_;
  std::vector<uint16_t> houses_;
  std::vector<uint16_t> flats_;
  std::vector<uint32_t> corpusIds_;
  std::vector<TOtherNumber> otherNumbers_;  // in row order
  TTextTable corpora_;
  std::vector<uint32_t> corpusSlots_;  // open-addressing set of corpus ids, 0 = free
};
