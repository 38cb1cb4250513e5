// The shape of a generated directory, measured as a loaded one would be.

#include "tools/SyntheticDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "data/TextServices.h"
#include "tests/data/support/Win1251.h"

namespace {

constexpr int Lines = 200'000;

struct TMeasured {
  int Subscribers = 0;
  int Organisations = 0;
  int64_t NameBytes = 0;
  std::vector<int> LinesByCity;
  int WithCorpus = 0;
  int SevenDigits = 0;
  int OtherLengths = 0;
};

TMeasured Measure(TSyntheticDirectory& synthetic, int lines) {
  TMeasured measured;
  measured.LinesByCity.assign(synthetic.Cities().size(), 0);
  for (int written = 0; written < lines;) {
    const TSyntheticSubscriber& subscriber = synthetic.NextSubscriber(lines - written);
    ++measured.Subscribers;
    measured.NameBytes += static_cast<int64_t>(subscriber.Name.size());
    // People's names are three words ending in a patronymic; nothing else is.
    const std::string lower = LowerText(subscriber.Name);
    const bool person =
        std::count(lower.begin(), lower.end(), ' ') == 2 && (lower.ends_with(W("ич")) || lower.ends_with(W("на")));
    measured.Organisations += !person;
    for (const TSyntheticLine& line : subscriber.Lines) {
      ++measured.LinesByCity.at(line.City);
      measured.WithCorpus += !line.Corpus.empty();
      const size_t digits = std::to_string(line.Number).size();
      measured.SevenDigits += digits == 7;
      measured.OtherLengths += digits != 7 && digits != 10;
    }
    written += static_cast<int>(subscriber.Lines.size());
  }
  return measured;
}

double Share(int part, int whole) { return static_cast<double>(part) / whole; }

}  // namespace

TEST(SyntheticDirectory, IsShapedLikeARealCity) {
  TSyntheticDirectory synthetic(1);
  const TMeasured m = Measure(synthetic, Lines);
  EXPECT_NEAR(static_cast<double>(Lines) / m.Subscribers, 2.5, 0.15) << "lines per subscriber";
  EXPECT_NEAR(static_cast<double>(m.NameBytes) / m.Subscribers, 25, 2) << "characters per name";
  EXPECT_NEAR(Share(m.Organisations, m.Subscribers), 0.15, 0.03) << "organisations";
  EXPECT_NEAR(Share(m.WithCorpus, Lines), 0.15, 0.01) << "lines with a corpus";
  EXPECT_NEAR(Share(m.SevenDigits, Lines), 0.70, 0.01) << "seven-digit numbers";
  EXPECT_EQ(m.OtherLengths, 0);

  ASSERT_EQ(synthetic.Cities().size(), 51u);
  EXPECT_EQ(synthetic.Cities()[0], "");
  EXPECT_EQ(synthetic.Streets().size(), 3001u);
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
  EXPECT_GT(citiesOfName[LowerText(W("ул. Ленина"))].size(), 40u) << "in most cities";
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
