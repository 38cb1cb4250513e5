// The synthetic directory: its shape, measured on the files the tool writes, its
// streets, its seeds and its bounds.

#include "tools/SyntheticDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "data/LoadDirectory.h"
#include "data/TextServices.h"
#include "tests/data/support/DirectoryFiles.h"
#include "tests/support/Cp1251Literal.h"
#include "tools/DirectoryGenerator.h"

namespace {

constexpr int Lines = 200'000;

struct TMeasured {
  size_t Subscribers = 0;
  size_t Organisations = 0;
  size_t NameBytes = 0;
  std::vector<int> LinesByCity;
  int WithCorpus = 0;
  int SevenDigits = 0;
  int OtherLengths = 0;
};

// The figures as the window would show them, from the files the tool writes.
TMeasured Measure(const TDirectory& directory) {
  TMeasured measured;
  measured.Subscribers = directory.Owners.size();
  for (size_t i = 0; i < directory.Owners.size(); ++i) {
    const std::string_view name = directory.Owners[i];
    measured.NameBytes += name.size();
    // People's names are three words ending in a patronymic; nothing else is.
    const std::string lower = LowerText(name);
    const bool person =
        std::count(lower.begin(), lower.end(), ' ') == 2 && (lower.ends_with(Cp("ич")) || lower.ends_with(Cp("на")));
    measured.Organisations += !person;
  }
  measured.LinesByCity.assign(directory.Cities.size(), 0);
  for (const TPhone& phone : directory.Phones) {
    ++measured.LinesByCity.at(static_cast<size_t>(phone.CityIndex));
    measured.WithCorpus += !phone.Corpus.empty();
    const size_t digits = std::string_view(phone.Number).size();
    measured.SevenDigits += digits == 7;
    measured.OtherLengths += digits != 7 && digits != 10;
  }
  return measured;
}

double Share(double part, double whole) { return part / whole; }

}  // namespace

TEST(SyntheticDirectory, IsShapedLikeARealCity) {
  const TTempDirectory folder;
  GenerateDirectory(folder.Path(), Lines, 1);
  const std::shared_ptr<const TDirectory> loaded = LoadDirectory(folder.Path());
  ASSERT_EQ(loaded->Phones.size(), static_cast<size_t>(Lines));
  const TMeasured m = Measure(*loaded);
  EXPECT_NEAR(Share(Lines, m.Subscribers), 2.5, 0.15) << "lines per subscriber";
  EXPECT_NEAR(Share(m.NameBytes, m.Subscribers), 25, 2) << "characters per name";
  EXPECT_NEAR(Share(m.Organisations, m.Subscribers), 0.15, 0.03) << "organisations";
  EXPECT_NEAR(Share(m.WithCorpus, Lines), 0.15, 0.01) << "lines with a corpus";
  EXPECT_NEAR(Share(m.SevenDigits, Lines), 0.70, 0.01) << "seven-digit numbers";
  EXPECT_EQ(m.OtherLengths, 0);

  ASSERT_EQ(loaded->Cities.size(), 51u);
  EXPECT_EQ(loaded->Streets.size(), 3001u);
  EXPECT_NEAR(Share(m.LinesByCity[1], Lines), 0.22, 0.015) << "the largest city";
  EXPECT_NEAR(Share(m.LinesByCity[2], Lines), 0.11, 0.01) << "the second";
  EXPECT_LT(Share(m.LinesByCity[50], Lines), 0.01) << "the long tail";
  EXPECT_GT(m.LinesByCity[50], 0);
  EXPECT_EQ(m.LinesByCity[0], 0) << "every line has a city";
}

TEST(SyntheticDirectory, StreetsAreDistinctInACityAndRecurAcrossCities) {
  TSyntheticDirectory synthetic(3);
  std::map<uint16_t, std::set<uint16_t>> streetsOfCity;
  const int lines = 100'000;
  for (int written = 0; written < lines;) {
    const TSyntheticSubscriber& subscriber = synthetic.NextSubscriber(lines - written);
    for (const TSyntheticLine& line : subscriber.Lines) {
      ASSERT_GT(line.Street, 0);
      ASSERT_LT(line.Street, synthetic.Streets().size());
      streetsOfCity[line.City].insert(line.Street);
    }
    written += static_cast<int>(subscriber.Lines.size());
  }
  std::map<std::string, std::set<uint16_t>> citiesOfName;
  for (const auto& [city, streets] : streetsOfCity) {
    std::set<std::string> names;
    for (uint16_t street : streets) {
      const std::string name = LowerText(synthetic.Streets()[street]);
      EXPECT_TRUE(names.insert(name).second) << Utf8FromCp1251(name) << " twice in one city";
      citiesOfName[name].insert(city);
    }
  }
  EXPECT_GT(citiesOfName[LowerText(Cp("ул. Ленина"))].size(), 40u) << "in most cities";
  EXPECT_GT(streetsOfCity[1].size(), 500u) << "the largest city's streets, in use";
}

TEST(SyntheticDirectory, IsTheSameForASeedAndAnotherForAnother) {
  auto subscribers = [](uint32_t seed) {
    TSyntheticDirectory synthetic(seed);
    std::vector<std::string> texts(synthetic.Streets());
    for (int i = 0; i < 2000; ++i) {
      const TSyntheticSubscriber& subscriber = synthetic.NextSubscriber(10);
      texts.push_back(subscriber.Name + std::to_string(subscriber.Lines.back().Number) + subscriber.Lines[0].Corpus);
    }
    return texts;
  };
  EXPECT_EQ(subscribers(9), subscribers(9));
  EXPECT_NE(subscribers(9), subscribers(10));
}

TEST(SyntheticDirectory, KeepsToTheLinesAskedForAndRefusesABadShape) {
  TSyntheticDirectory synthetic(1);
  for (int i = 0; i < 500; ++i) {
    const size_t lines = synthetic.NextSubscriber(i % 2).Lines.size();
    ASSERT_EQ(lines, 1u) << "at most one line asked for, at least one given";
  }
  EXPECT_THROW(TSyntheticDirectory(1, {.Cities = SyntheticCityCount() + 1}), std::invalid_argument);
  EXPECT_THROW(TSyntheticDirectory(1, {.Cities = 10, .Streets = 9}), std::invalid_argument);
  EXPECT_THROW(TSyntheticDirectory(1, {.CityNumbers = 8'000'001}), std::invalid_argument);
  EXPECT_THROW(TSyntheticDirectory(1, {.Cities = 1, .Streets = 5000}), std::invalid_argument) << "names run out";
  EXPECT_NO_THROW(TSyntheticDirectory(1, {.Cities = 1, .Streets = 1, .CityNumbers = 1, .MobileNumbers = 1}));
}
