#include "tools/DirectoryGenerator.h"

#include <algorithm>
#include <optional>
#include <set>
#include <unordered_set>

#include "data/Cp1251.h"
#include "tools/DirectoryWriter.h"
#include "tools/Random.h"
#include "tools/RussianNames.h"

namespace {

std::string W(std::string_view utf8) { return Cp1251FromUtf8Lossy(utf8); }

int64_t PowerOfTen(int exponent) {
  int64_t power = 1;
  while (exponent-- > 0) power *= 10;
  return power;
}

std::string FeminineSurname(std::string_view masculine) {
  const std::string text(masculine);
  auto endsWith = [&](std::string_view ending) { return masculine.ends_with(ending); };
  auto replaceEnd = [&](size_t bytes, std::string_view with) {
    return text.substr(0, text.size() - bytes) + std::string(with);
  };
  if (endsWith("ов") || endsWith("ев") || endsWith("ёв") || endsWith("ин") || endsWith("ын")) return text + "а";
  if (endsWith("ий")) return replaceEnd(std::string_view("ий").size(), "ая");
  if (endsWith("ой")) return replaceEnd(std::string_view("ой").size(), "ая");
  return text;
}

struct TCity {
  int Weight;
  int Digits;                     // of its numbers; one more in the larger cities
  std::vector<uint16_t> Streets;  // indices into the street table
};

// Draws that all hit numbers already given mean a range is as good as full.
constexpr int DrawsBeforeFull = 64;

class TGenerator {
 public:
  TGenerator(const std::string& directory, uint32_t seed, const TNumberRanges& ranges)
      : ranges_(ranges), random_(0x6F726C696E6172ull ^ (uint64_t{seed} << 20)), writer_(directory) {}

  void Run(int phoneLines) {
    MakeCitiesAndStreets();
    for (int written = 0; written < phoneLines;) written += AddSubscriber(phoneLines - written);
    writer_.Commit(cityNames_, streetNames_);
  }

 private:
  void MakeCitiesAndStreets() {
    cityNames_.assign(1, "");
    streetNames_.assign(1, "");
    for (const TCityName& name : CityNames()) {
      TCity city{name.Weight, ranges_.SmallCityDigits + (name.Weight >= 10 ? 1 : 0), {}};
      const int streetCount = std::clamp(name.Weight * 4, 25, 400);
      std::set<std::string> used;
      while (static_cast<int>(city.Streets.size()) < streetCount) {
        const size_t street = random_.Below(StreetNames().size());
        // Adjective names agree with "улица" only; the kind list starts with it.
        const bool adjective = StreetNames()[street].ends_with("ая");
        const size_t kind = adjective ? 0 : random_.Below(StreetKinds().size());
        std::string streetName = W(StreetKinds()[kind]) + W(StreetNames()[street]);
        if (!used.insert(streetName).second) continue;
        // Hand-typed lists are not consistent in case; the window merges such names.
        if (random_.Chance(2)) streetName[0] = static_cast<char>(streetName[0] - 0x20);
        city.Streets.push_back(static_cast<uint16_t>(streetNames_.size()));
        streetNames_.push_back(std::move(streetName));
      }
      cities_.push_back(std::move(city));
      cityNames_.push_back(W(name.Name));
      totalWeight_ += name.Weight;
    }
  }

  size_t PickCity() {
    int ticket = static_cast<int>(random_.Below(static_cast<uint64_t>(totalWeight_)));
    for (size_t i = 0; i < cities_.size(); ++i) {
      if ((ticket -= cities_[i].Weight) < 0) return i;
    }
    return cities_.size() - 1;
  }

  std::string PersonName() {
    const bool male = random_.Chance(48);
    const std::string_view surname = random_.Pick(Surnames());
    const TPatronymic& patronymic = random_.Pick(Patronymics());
    if (male) return W(surname) + " " + W(random_.Pick(MaleFirstNames())) + " " + W(patronymic.Male);
    return W(FeminineSurname(surname)) + " " + W(random_.Pick(FemaleFirstNames())) + " " + W(patronymic.Female);
  }

  std::string EntrepreneurName() {
    const bool male = random_.Chance(60);
    const std::string_view surname = random_.Pick(Surnames());
    const std::string first = W(random_.Pick(male ? MaleFirstNames() : FemaleFirstNames()));
    const TPatronymic& patronymic = random_.Pick(Patronymics());
    const std::string middle = W(male ? patronymic.Male : patronymic.Female);
    return W("ИП ") + W(male ? std::string(surname) : FeminineSurname(surname)) + " " + first[0] + ". " + middle[0] +
           ".";
  }

  std::string CompanyName() {
    return W(random_.Pick(CompanyForms())) + W(" «") + W(random_.Pick(CompanyNameStarts())) +
           W(random_.Pick(CompanyNameEnds())) + W("»");
  }

  std::string InstitutionName() {
    return W(random_.Pick(Institutions())) + W(" №") + std::to_string(random_.Between(1, 150));
  }

  std::optional<int64_t> DrawUnique(int64_t low, int64_t high) {
    for (int draw = 0; draw < DrawsBeforeFull; ++draw) {
      const int64_t number = low + static_cast<int64_t>(random_.Below(static_cast<uint64_t>(high - low + 1)));
      if (numbers_.insert(number).second) return number;
    }
    return std::nullopt;
  }

  // City numbers start with 2 to 9; a city whose range fills up gets a digit more,
  // and mobile lines take city numbers once the mobile range is full.
  int64_t UniqueNumber(TCity& city, bool mobile) {
    if (mobile && !mobileFull_) {
      constexpr int64_t first = 9000000000;
      if (const auto number = DrawUnique(first, first + ranges_.MobileNumbers - 1)) return *number;
      mobileFull_ = true;
    }
    for (;;) {
      const int64_t high = PowerOfTen(city.Digits) - 1;
      if (const auto number = DrawUnique(2 * (high + 1) / 10, high)) return *number;
      ++city.Digits;
    }
  }

  struct TSubscriber {
    std::string Name;
    int Lines;
    bool Person;
  };

  // Mostly people, then companies, sole traders and public institutions.
  TSubscriber NextSubscriber() {
    const auto kind = random_.Below(100);
    if (kind < 80) return {PersonName(), random_.Chance(70) ? 1 : random_.Chance(73) ? 2 : 3, true};
    if (kind < 92) return {CompanyName(), random_.Between(1, 6), false};
    if (kind < 97) return {EntrepreneurName(), random_.Between(1, 2), false};
    return {InstitutionName(), random_.Between(1, 4), false};
  }

  // Small house and flat numbers are the common ones.
  TDirectoryLine Address(const TCity& city, bool person) {
    TDirectoryLine line;
    line.City = static_cast<uint16_t>(&city - cities_.data() + 1);
    line.Street = random_.Pick(city.Streets);
    line.House = static_cast<uint16_t>(1 + random_.Below(1 + random_.Below(180)));
    line.Corpus = random_.Chance(12) ? W(random_.Pick(CorpusTexts())) : "";
    if (person && random_.Chance(88)) line.Flat = static_cast<uint16_t>(1 + random_.Below(1 + random_.Below(400)));
    if (!person && random_.Chance(25)) line.Flat = static_cast<uint16_t>(random_.Between(1, 60));
    return line;
  }

  int AddSubscriber(int linesLeft) {
    const TSubscriber subscriber = NextSubscriber();
    writer_.AddOwner(subscriber.Name);
    TCity& city = cities_[PickCity()];
    TDirectoryLine line = Address(city, subscriber.Person);
    const int lines = std::min(subscriber.Lines, linesLeft);
    for (int i = 0; i < lines; ++i) {
      line.Number = UniqueNumber(city, random_.Chance(subscriber.Person ? 40 : 10));
      writer_.AddPhone(line);
    }
    return lines;
  }

  TNumberRanges ranges_;
  TRandom random_;
  TDataFilesWriter writer_;
  std::vector<TCity> cities_;
  int totalWeight_ = 0;
  std::vector<std::string> cityNames_;
  std::vector<std::string> streetNames_;
  std::unordered_set<int64_t> numbers_;
  bool mobileFull_ = false;
};

}  // namespace

void GenerateDirectory(const std::string& directory, int phoneLines, uint32_t seed, const TNumberRanges& ranges) {
  TGenerator(directory, seed, ranges).Run(phoneLines);
}
