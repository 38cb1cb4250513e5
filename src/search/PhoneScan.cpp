#include "search/PhoneScan.h"

#include <array>
#include <span>
#include <utility>

#include "search/TextsContaining.h"

namespace {

// Keeps the candidates passing test: all of [first, last) the first time, the
// survivors of earlier tests after that. Written without branches on the outcome
// so that a scan costs the same whether few or many records pass. The buffer only
// ever grows, so that no block pays for clearing it.
class TSelection {
 public:
  TSelection(int32_t first, int32_t last, std::vector<int32_t>& buffer) : first_(first), last_(last) {
    if (buffer.size() < static_cast<size_t>(last - first)) buffer.resize(static_cast<size_t>(last - first));
    indices_ = buffer.data();
  }

  template <typename Test>
  void Keep(const Test& test) {
    int32_t* indices = indices_;
    size_t kept = 0;
    if (dense_) {
      for (int32_t i = first_; i < last_; ++i) {
        indices[kept] = i;
        kept += test(i);
      }
      dense_ = false;
    } else {
      for (size_t k = 0; k < count_; ++k) {
        const int32_t i = indices[k];
        indices[kept] = i;
        kept += test(i);
      }
    }
    count_ = kept;
  }

  std::span<const int32_t> Finish() {
    if (dense_) {
      for (int32_t i = first_; i < last_; ++i) indices_[i - first_] = i;
      count_ = static_cast<size_t>(last_ - first_);
    }
    return {indices_, count_};
  }

 private:
  int32_t first_;
  int32_t last_;
  int32_t* indices_;
  bool dense_ = true;
  size_t count_ = 0;
};

constexpr int FastTailDigits = 18;

template <int Digits>
constexpr int64_t PowerOfTen() {
  int64_t power = 1;
  for (int i = 0; i < Digits; ++i) power *= 10;
  return power;
}

// The number ends with the digits exactly when its last Digits digits have their
// value and it has at least Digits digits; a constant divisor keeps this a multiply.
template <int Digits>
void KeepTail(TSelection& selection, const TPhoneTable& phones, int64_t value, const std::string& digits) {
  constexpr int64_t power = PowerOfTen<Digits>();
  constexpr int64_t smallest = Digits == 1 ? 0 : power / 10;
  if constexpr (Digits <= 9) {
    // Half the bytes of the 64-bit column to read, and a 32-bit remainder.
    constexpr uint32_t wrap = TPhoneTable::NineDigitsWrap;
    const uint32_t* lasts = phones.LastDigitsColumn().data();
    selection.Keep([&](int32_t i) {
      const uint32_t last = lasts[i];
      if (last == TPhoneTable::NoLastDigits) return PhoneTailMatches(digits, phones.NumberOf(i));
      const bool longer = last >= wrap;  // more than nine digits, so enough of them
      const uint32_t rest = longer ? last - wrap : last;
      return rest % static_cast<uint32_t>(power) == static_cast<uint32_t>(value) &&
             (longer || rest >= static_cast<uint32_t>(smallest));
    });
  } else {
    const int64_t* numbers = phones.NumberColumn().data();
    selection.Keep([&](int32_t i) {
      const int64_t number = numbers[i];
      if (number < 0) return PhoneTailMatches(digits, phones.NumberOf(i));
      // Unsigned, the remainder by a constant needs no sign correction.
      return static_cast<uint64_t>(number) % power == static_cast<uint64_t>(value) && number >= smallest;
    });
  }
}

using TTailKeeper = void (*)(TSelection&, const TPhoneTable&, int64_t, const std::string&);

template <size_t... Digits>
constexpr std::array<TTailKeeper, sizeof...(Digits)> MakeTailKeepers(std::index_sequence<Digits...>) {
  return {&KeepTail<static_cast<int>(Digits) + 1>...};
}

constexpr auto TailKeepers = MakeTailKeepers(std::make_index_sequence<FastTailDigits>());

bool AllDigits(const std::string& text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return !text.empty();
}

}  // namespace

TPhoneScan::TPhoneScan(const TDirectory& directory, const SearchCriteria& criteria)
    : TPhoneScan(directory, criteria,
                 criteria.Owner.empty() ? std::vector<uint64_t>() : TextsContaining(directory.Owners, criteria.Owner)) {
}

TPhoneScan::TPhoneScan(const TDirectory& directory, const SearchCriteria& criteria, std::vector<uint64_t> owners,
                       std::optional<std::vector<uint64_t>> corpora)
    : owners_(std::move(owners)), phones_(directory.Phones), ownerCount_(directory.Owners.size()), criteria_(criteria) {
  const std::string& tail = criteria.Phone;
  if (AllDigits(tail) && tail.size() <= FastTailDigits) {
    tailDigits_ = static_cast<int>(tail.size());
    tailValue_ = std::stoll(tail);
  }
  if (corpora) {
    corpora_ = std::move(*corpora);
  } else if (!criteria.Corpus.empty()) {
    corpora_ = TextsContaining(phones_.CorpusTexts(), criteria.Corpus);
  }
}

std::span<const int32_t> TPhoneScan::Select(int32_t first, int32_t last, std::vector<int32_t>& buffer) const {
  TSelection selection(first, last, buffer);
  if (!criteria_.Owner.empty()) {
    // Plain pointers: the stores of the selection would otherwise make the
    // compiler reload the bit vector's address for every record.
    const int32_t* owners = phones_.OwnerColumn().data();
    const uint64_t* bits = owners_.data();
    const auto ownerCount = static_cast<uint32_t>(ownerCount_);
    selection.Keep([=](int32_t i) {
      const auto owner = static_cast<uint32_t>(owners[i]);
      return owner < ownerCount && ((bits[owner >> 6] >> (owner & 63)) & 1) != 0;
    });
  }
  if (criteria_.Cities) {
    const uint16_t* cities = phones_.CityColumn().data();
    selection.Keep([&](int32_t i) { return criteria_.Cities->Contains(cities[i]); });
  }
  if (criteria_.Streets) {
    const uint16_t* streets = phones_.StreetColumn().data();
    selection.Keep([&](int32_t i) { return criteria_.Streets->Contains(streets[i]); });
  }
  if (criteria_.House) {
    const uint16_t* houses = phones_.HouseColumn().data();
    const int32_t house = *criteria_.House;
    selection.Keep([&](int32_t i) { return houses[i] == house; });
  }
  if (criteria_.Flat) {
    const uint16_t* flats = phones_.FlatColumn().data();
    const int32_t flat = *criteria_.Flat;
    selection.Keep([&](int32_t i) { return flats[i] == flat; });
  }
  if (!criteria_.Corpus.empty()) {
    const auto corpusCount = phones_.CorpusTexts().size();
    const uint32_t* corpora = phones_.CorpusColumn().data();
    const uint64_t* bits = corpora_.data();
    selection.Keep([=](int32_t i) {
      const uint32_t id = corpora[i];
      return id < corpusCount && ((bits[id >> 6] >> (id & 63)) & 1) != 0;
    });
  }
  const std::string& tail = criteria_.Phone;
  if (!tail.empty()) {
    if (tailDigits_ > 0) {
      TailKeepers[tailDigits_ - 1](selection, phones_, tailValue_, tail);
    } else {
      selection.Keep([&](int32_t i) { return PhoneTailMatches(tail, phones_.NumberOf(i)); });
    }
  }
  return selection.Finish();
}
