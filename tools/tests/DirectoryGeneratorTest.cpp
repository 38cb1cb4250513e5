#include "tools/DirectoryGenerator.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "data/LoadDirectory.h"
#include "data/TextServices.h"
#include "tests/data/support/DirectoryFiles.h"
#include "tests/support/Cp1251Literal.h"

namespace {

std::string FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

bool EndsWith(std::string_view text, const std::string& ending) { return text.ends_with(ending); }

class GeneratedDirectory : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const TTempDirectory folder;
    GenerateDirectory(folder.Path(), 20000, 7);
    loaded = LoadDirectory(folder.Path());
  }
  static void TearDownTestSuite() { loaded.reset(); }
  static std::shared_ptr<const TDirectory> loaded;
};

std::shared_ptr<const TDirectory> GeneratedDirectory::loaded;

}  // namespace

TEST_F(GeneratedDirectory, HasExactlyTheRequestedLinesEachWithAnOwnerAndAddress) {
  ASSERT_EQ(loaded->Phones.size(), 20000u);
  EXPECT_GT(loaded->Owners.size(), 20000u / 3);
  EXPECT_LT(loaded->Owners.size(), 20000u / 2);
  for (const TPhone& phone : loaded->Phones) {
    ASSERT_GE(phone.OwnerIndex, 0);
    ASSERT_GT(phone.CityIndex, 0);
    ASSERT_LT(static_cast<size_t>(phone.CityIndex), loaded->Cities.size());
    ASSERT_GT(phone.StreetIndex, 0);
    ASSERT_LT(static_cast<size_t>(phone.StreetIndex), loaded->Streets.size());
    ASSERT_GT(phone.House, 0);
  }
}

// Seven-digit numbers are a city's own; ten-digit ones are unique in the directory.
TEST_F(GeneratedDirectory, NumbersAreUniqueCityOrMobileNumbers) {
  std::set<std::pair<int32_t, std::string>> cityNumbers;
  std::set<std::string> mobileNumbers;
  for (const TPhone& phone : loaded->Phones) {
    const std::string_view number(phone.Number);
    ASSERT_TRUE((number.size() == 7 && number[0] >= '2') || (number.size() == 10 && number[0] == '9')) << number;
    const bool unique =
        number.size() == 7 ? cityNumbers.emplace(phone.CityIndex, number).second : mobileNumbers.emplace(number).second;
    ASSERT_TRUE(unique) << number;
  }
}

TEST_F(GeneratedDirectory, WomenCarryFeminineSurnames) {
  int women = 0;
  for (size_t i = 0; i < loaded->Owners.size(); ++i) {
    const std::string_view name = loaded->Owners[i];
    if (!EndsWith(name, Cp("овна")) && !EndsWith(name, Cp("евна")) && !EndsWith(name, Cp("ична"))) continue;
    if (name.starts_with(Cp("ИП "))) continue;
    ++women;
    const std::string_view surname = name.substr(0, name.find(' '));
    for (const char* masculine : {"ов", "ев", "ёв", "ин", "ский", "цкий"}) {
      EXPECT_FALSE(EndsWith(surname, Cp(masculine))) << Utf8FromCp1251(name);
    }
  }
  EXPECT_GT(women, 2500);
}

TEST_F(GeneratedDirectory, HoldsOrganisationsCorporaAndCommonNameParts) {
  int companies = 0, entrepreneurs = 0, corpora = 0, ivan = 0;
  for (size_t i = 0; i < loaded->Owners.size(); ++i) {
    companies += loaded->Owners[i].starts_with(Cp("ООО «"));
    entrepreneurs += loaded->Owners[i].starts_with(Cp("ИП "));
  }
  for (const TPhone& phone : loaded->Phones) {
    corpora += !std::string_view(phone.Corpus).empty();
    ivan += TextPos(Cp("иван"), LowerText(loaded->OwnerName(phone))) > 0;
  }
  EXPECT_GT(companies, 100);
  EXPECT_GT(entrepreneurs, 100);
  EXPECT_GT(corpora, 1000);
  EXPECT_GT(ivan, 400);
  EXPECT_EQ(loaded->Cities[1], Cp("Москва"));
}

TEST(DirectoryGenerator, SameSeedSameBytesOtherSeedOtherBytes) {
  TTempDirectory first, second, third;
  GenerateDirectory(first.Path(), 3000, 42);
  GenerateDirectory(second.Path(), 3000, 42);
  GenerateDirectory(third.Path(), 3000, 43);
  for (const char* file : {"Cities.dbr", "Streets.dbr", "Phones.dbr"}) {
    EXPECT_EQ(FileBytes(first.FilePath(file)), FileBytes(second.FilePath(file))) << file;
  }
  EXPECT_NE(FileBytes(first.FilePath("Phones.dbr")), FileBytes(third.FilePath("Phones.dbr")));
}

TEST(DirectoryGenerator, ZeroLinesGivesAnEmptyPhoneFile) {
  TTempDirectory dir;
  GenerateDirectory(dir.Path(), 0, 1);
  EXPECT_EQ(FileBytes(dir.FilePath("Phones.dbr")), "");
  EXPECT_FALSE(FileBytes(dir.FilePath("Cities.dbr")).empty());
}

TEST(DirectoryGenerator, FullNumberRangesWidenSoThatEveryLineGetsItsOwnNumber) {
  const TSyntheticShape tiny{.Cities = 2, .Streets = 20, .CityNumbers = 3, .MobileNumbers = 10};
  TTempDirectory first, second;
  GenerateDirectory(first.Path(), 4000, 5, tiny);
  GenerateDirectory(second.Path(), 4000, 5, tiny);
  EXPECT_EQ(FileBytes(first.FilePath("Phones.dbr")), FileBytes(second.FilePath("Phones.dbr")));
  const auto loaded = LoadDirectory(first.Path());
  ASSERT_EQ(loaded->Phones.size(), 4000u);
  std::set<std::pair<int32_t, std::string>> numbers;
  std::map<size_t, size_t> byDigits;
  for (const TPhone& phone : loaded->Phones) {
    const std::string_view number(phone.Number);
    const int32_t city = number.size() == 7 ? phone.CityIndex : 0;
    ASSERT_TRUE(numbers.emplace(city, number).second) << number;
    ++byDigits[number.size()];
  }
  EXPECT_EQ(byDigits, (std::map<size_t, size_t>{{7, 6}, {10, 10}, {11, 3984}}))
      << "two cities of three seven-digit numbers and ten mobile numbers, then eleven digits";
}
