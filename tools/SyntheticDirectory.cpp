#include "tools/SyntheticDirectory.h"

#include <algorithm>
#include <set>
#include <span>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "data/Cp1251.h"
#include "data/TextServices.h"
#include "tools/Random.h"
#include "tools/RussianNames.h"

namespace {

std::string W(std::string_view utf8) { return Cp1251FromUtf8Lossy(utf8); }

std::vector<std::string> W(std::span<const std::string_view> utf8) {
  std::vector<std::string> texts;
  texts.reserve(utf8.size());
  for (std::string_view text : utf8) texts.push_back(W(text));
  return texts;
}

std::string FeminineSurname(std::string_view masculine) {
  const std::string text(masculine);
  auto replaceEnd = [&](std::string_view ending, std::string_view with) {
    return text.substr(0, text.size() - ending.size()) + std::string(with);
  };
  for (std::string_view ending : {"ов", "ев", "ёв", "ин", "ын"}) {
    if (masculine.ends_with(ending)) return text + "а";
  }
  for (std::string_view ending : {"ий", "ой"}) {
    if (masculine.ends_with(ending)) return replaceEnd(ending, "ая");
  }
  return text;
}

// A bijection of [0, size) keyed by key: the numbers of a range handed out one after
// another come out unique and scattered, with no memory of those given. A Feistel
// network over the smallest even power of two not below size, walked until it lands
// inside the range (fewer than four steps on average).
class TPermutation {
 public:
  TPermutation(uint64_t size, uint64_t key) : size_(size) {
    while ((uint64_t{1} << (2 * halfBits_)) < size) ++halfBits_;
    TRandom keys(key);
    for (uint64_t& roundKey : keys_) roundKey = keys.Next();
  }
  uint64_t Size() const { return size_; }
  uint64_t operator()(uint64_t index) const {
    do index = Encrypt(index);
    while (index >= size_);
    return index;
  }

 private:
  uint64_t Encrypt(uint64_t value) const {
    const uint64_t mask = (uint64_t{1} << halfBits_) - 1;
    uint64_t left = value >> halfBits_, right = value & mask;
    for (uint64_t roundKey : keys_) {
      const uint64_t mixed = TRandom(right ^ roundKey).Next() & mask;
      left = std::exchange(right, left ^ mixed);
    }
    return (left << halfBits_) | right;
  }

  uint64_t size_;
  int halfBits_ = 1;
  uint64_t keys_[4];
};

// The next unused number of a range starting at first.
class TNumberRange {
 public:
  TNumberRange(int64_t first, int64_t size, uint64_t key) : first_(first), order_(static_cast<uint64_t>(size), key) {}
  bool Full() const { return given_ == order_.Size(); }
  int64_t Next() { return first_ + static_cast<int64_t>(order_(given_++)); }

 private:
  int64_t first_;
  TPermutation order_;
  uint64_t given_ = 0;
};

constexpr int64_t FirstCityNumber = 2'000'000;
constexpr int64_t LastCityNumber = 9'999'999;
constexpr int64_t FirstMobileNumber = 9'000'000'000;
constexpr int64_t FirstWideNumber = 10'000'000'000;
constexpr int64_t WideNumbers = 90'000'000'000;
constexpr int MinStreetsPerCity = 10;

struct TCity {
  uint64_t Weight;   // by rank: the n-th city is 1/n as large as the first
  uint64_t Reached;  // the sum of the weights up to this city's
  std::vector<uint16_t> Streets;
  TNumberRange Numbers;
};

void CheckShape(const TSyntheticShape& shape) {
  auto within = [](int64_t value, int64_t low, int64_t high, const char* what) {
    if (value < low || value > high) throw std::invalid_argument(std::string("synthetic directory: bad ") + what);
  };
  within(shape.Cities, 1, SyntheticCityCount(), "city count");
  within(shape.Streets, shape.Cities, 65'535, "street count");
  within(shape.CorpusPercent, 0, 100, "corpus share");
  within(shape.SevenDigitPercent, 0, 100, "seven-digit share");
  within(shape.CityNumbers, 1, LastCityNumber - FirstCityNumber + 1, "city number range");
  within(shape.MobileNumbers, 1, FirstWideNumber - FirstMobileNumber, "mobile number range");
}

}  // namespace

int SyntheticCityCount() { return static_cast<int>(CityNames().size()); }

class TSyntheticDirectory::TGenerator {
 public:
  TGenerator(uint32_t seed, const TSyntheticShape& shape)
      : shape_((CheckShape(shape), shape)),
        random_(0x6F726C696E6172ull ^ (uint64_t{seed} << 20)),
        mobile_(FirstMobileNumber, shape.MobileNumbers, random_.Next()),
        wide_(FirstWideNumber, WideNumbers, random_.Next()),
        maleNames_(W(MaleFirstNames())),
        femaleNames_(W(FemaleFirstNames())),
        companyForms_(W(CompanyForms())),
        companyStarts_(W(CompanyNameStarts())),
        companyEnds_(W(CompanyNameEnds())),
        institutions_(W(Institutions())),
        corpora_(W(CorpusTexts())) {
    for (std::string_view surname : Surnames()) surnames_.push_back({W(surname), W(FeminineSurname(surname))});
    for (const TPatronymic& patronymic : Patronymics())
      patronymics_.push_back({W(patronymic.Male), W(patronymic.Female)});
    MakeCities();
    MakeStreets();
  }

  const std::vector<std::string>& CityNameList() const { return cityNames_; }
  const std::vector<std::string>& StreetNameList() const { return streetNames_; }

  const TSyntheticSubscriber& Next(int maxLines) {
    const auto kind = random_.Below(100);
    const bool person = kind < 85;
    subscriber_.Name = person      ? PersonName()
                       : kind < 93 ? CompanyName()
                       : kind < 97 ? EntrepreneurName()
                                   : InstitutionName();
    const int lines = std::clamp(person ? PersonLines() : random_.Between(1, 7), 1, std::max(maxLines, 1));
    TCity& city = PickCity();
    TSyntheticLine line = Address(city, person);
    subscriber_.Lines.assign(static_cast<size_t>(lines), line);
    for (TSyntheticLine& each : subscriber_.Lines) each.Number = NextNumber(city);
    return subscriber_;
  }

 private:
  struct TGendered {
    std::string Male;
    std::string Female;
  };

  void MakeCities() {
    cityNames_.assign(1, "");
    uint64_t reached = 0;
    for (int rank = 1; rank <= shape_.Cities; ++rank) {
      const uint64_t weight = 1'000'000'000 / static_cast<uint64_t>(rank);
      reached += weight;
      const int64_t size = shape_.CityNumbers;
      cities_.push_back({weight, reached, {}, TNumberRange(FirstCityNumber, size, random_.Next())});
      cityNames_.push_back(W(CityNames()[static_cast<size_t>(rank - 1)]));
    }
  }

  // Each city gets a share of the streets by its size, at least a few; the names are
  // distinct within a city and recur across cities, as "ул. Ленина" does.
  void MakeStreets() {
    const uint64_t total = cities_.back().Reached;
    const int minimum = std::min(MinStreetsPerCity, shape_.Streets / shape_.Cities);
    const int shared = shape_.Streets - minimum * shape_.Cities;
    std::vector<int> counts;
    int given = 0;
    for (const TCity& city : cities_) {
      counts.push_back(minimum + static_cast<int>(static_cast<uint64_t>(shared) * city.Weight / total));
      given += counts.back();
    }
    for (size_t i = 0; given < shape_.Streets; i = (i + 1) % counts.size(), ++given) ++counts[i];
    const std::vector<TStreetCandidate> candidates = StreetCandidates();
    streetNames_.assign(1, "");
    for (size_t c = 0; c < cities_.size(); ++c) {
      // Every town has its улица Ленина: a common name's chance of being chosen
      // falls with its rank, and side streets' with their kind's.
      std::vector<std::pair<uint64_t, size_t>> order;
      for (size_t i = 0; i < candidates.size(); ++i)
        order.emplace_back(candidates[i].Rank * (1 + random_.Below(1000)), i);
      const auto wanted = static_cast<size_t>(counts[c]);
      if (wanted > order.size()) throw std::invalid_argument("synthetic directory: more streets than names for a city");
      std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(wanted), order.end());
      for (size_t i = 0; i < wanted; ++i) {
        std::string name = candidates[order[i].second].Name;
        // Hand-typed lists are not consistent in case; the window merges such names.
        if (random_.Chance(30)) name[0] = static_cast<char>(cp1251::UpperCase[static_cast<unsigned char>(name[0])]);
        cities_[c].Streets.push_back(static_cast<uint16_t>(streetNames_.size()));
        streetNames_.push_back(std::move(name));
      }
    }
  }

  struct TStreetCandidate {
    std::string Name;
    uint64_t Rank;  // the smaller, the more common
  };

  // Adjective names agree with "улица" only.
  static std::vector<TStreetCandidate> StreetCandidates() {
    const std::set<std::string_view> sideKinds(StreetKinds().begin(), StreetKinds().end());
    std::vector<TStreetCandidate> candidates;
    uint64_t rank = 0;
    for (std::string_view street : StreetNames()) {
      const std::string name(street);
      ++rank;
      candidates.push_back({W("ул. " + name), rank});
      if (street.ends_with("ая")) {
        for (const char* ordinal : {"1-я ", "2-я ", "3-я "})
          candidates.push_back({W("ул. " + (ordinal + name)), 4 * rank});
        continue;
      }
      for (std::string_view kind : sideKinds) {
        if (kind != "ул. ") candidates.push_back({W(std::string(kind) + name), 2 * rank});
      }
      for (const char* ordinal : {"1-й ", "2-й "}) candidates.push_back({W(ordinal + ("пер. " + name)), 4 * rank});
    }
    return candidates;
  }

  TCity& PickCity() {
    const uint64_t ticket = random_.Below(cities_.back().Reached);
    return *std::upper_bound(cities_.begin(), cities_.end(), ticket,
                             [](uint64_t value, const TCity& city) { return value < city.Reached; });
  }

  // One to five lines, fewer more often: 2.2 on average.
  int PersonLines() {
    const auto draw = random_.Below(100);
    return draw < 35 ? 1 : draw < 65 ? 2 : draw < 85 ? 3 : draw < 95 ? 4 : 5;
  }

  std::string PersonName() {
    const bool male = random_.Chance(48);
    const TGendered& surname = random_.Pick(surnames_);
    const TGendered& patronymic = random_.Pick(patronymics_);
    if (male) return surname.Male + " " + random_.Pick(maleNames_) + " " + patronymic.Male;
    return surname.Female + " " + random_.Pick(femaleNames_) + " " + patronymic.Female;
  }

  std::string EntrepreneurName() { return W("ИП ") + PersonName(); }

  std::string CompanyName() {
    return random_.Pick(companyForms_) + W(" «") + random_.Pick(companyStarts_) + random_.Pick(companyEnds_) + W("»");
  }

  std::string InstitutionName() {
    return random_.Pick(institutions_) + W(" №") + std::to_string(random_.Between(1, 150));
  }

  // Small house and flat numbers are the common ones.
  TSyntheticLine Address(const TCity& city, bool person) {
    TSyntheticLine line;
    line.City = static_cast<uint16_t>(&city - cities_.data() + 1);
    line.Street = city.Streets.empty() ? 0 : random_.Pick(city.Streets);
    line.House = static_cast<uint16_t>(1 + random_.Below(1 + random_.Below(180)));
    if (random_.Chance(shape_.CorpusPercent)) line.Corpus = random_.Pick(corpora_);
    if (person && random_.Chance(88)) line.Flat = static_cast<uint16_t>(1 + random_.Below(1 + random_.Below(400)));
    if (!person && random_.Chance(25)) line.Flat = static_cast<uint16_t>(random_.Between(1, 60));
    return line;
  }

  int64_t NextNumber(TCity& city) {
    if (random_.Chance(shape_.SevenDigitPercent) && !city.Numbers.Full()) return city.Numbers.Next();
    return mobile_.Full() ? wide_.Next() : mobile_.Next();
  }

  TSyntheticShape shape_;
  TRandom random_;
  TNumberRange mobile_;
  TNumberRange wide_;
  std::vector<TGendered> surnames_;
  std::vector<TGendered> patronymics_;
  std::vector<std::string> maleNames_, femaleNames_, companyForms_, companyStarts_, companyEnds_, institutions_,
      corpora_;
  std::vector<TCity> cities_;
  std::vector<std::string> cityNames_;
  std::vector<std::string> streetNames_;
  TSyntheticSubscriber subscriber_;
};

TSyntheticDirectory::TSyntheticDirectory(uint32_t seed, const TSyntheticShape& shape)
    : generator_(std::make_unique<TGenerator>(seed, shape)) {}

TSyntheticDirectory::~TSyntheticDirectory() = default;

const std::vector<std::string>& TSyntheticDirectory::Cities() const { return generator_->CityNameList(); }
const std::vector<std::string>& TSyntheticDirectory::Streets() const { return generator_->StreetNameList(); }
const TSyntheticSubscriber& TSyntheticDirectory::NextSubscriber(int maxLines) { return generator_->Next(maxLines); }
