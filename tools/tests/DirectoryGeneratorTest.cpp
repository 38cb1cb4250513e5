#include "tools/DirectoryGenerator.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "data/LoadDirectory.h"
#include "data/TextServices.h"
#include "tests/data/support/DirectoryFiles.h"
#include "tests/data/support/Win1251.h"

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
  EXPECT_GT(loaded->Owners.size(), 10000u);
  EXPECT_LT(loaded->Owners.size(), 20000u);
  for (const TPhone& phone : loaded->Phones) {
    ASSERT_GE(phone.OwnerIndex, 0);
    ASSERT_GT(phone.CityIndex, 0);
    ASSERT_LT(static_cast<size_t>(phone.CityIndex), loaded->Cities.size());
    ASSERT_GT(phone.StreetIndex, 0);
    ASSERT_LT(static_cast<size_t>(phone.StreetIndex), loaded->Streets.size());
    ASSERT_GT(phone.House, 0);
  }
}

TEST_F(GeneratedDirectory, NumbersAreUniqueCityOrMobileNumbers) {
  std::set<std::string> numbers;
  for (const TPhone& phone : loaded->Phones) {
    const std::string_view number(phone.Number);
    ASSERT_TRUE(number.size() == 6 || number.size() == 7 || (number.size() == 10 && number[0] == '9')) << number;
    numbers.emplace(number);
  }
  EXPECT_EQ(numbers.size(), loaded->Phones.size());
}

TEST_F(GeneratedDirectory, WomenCarryFeminineSurnames) {
  int women = 0;
  for (size_t i = 0; i < loaded->Owners.size(); ++i) {
    const std::string_view name = loaded->Owners[i];
    if (!EndsWith(name, W("овна")) && !EndsWith(name, W("евна")) && !EndsWith(name, W("ична"))) continue;
    if (name.starts_with(W("ИП "))) continue;
    ++women;
    const std::string_view surname = name.substr(0, name.find(' '));
    for (const char* masculine : {"ов", "ев", "ёв", "ин", "ский", "цкий"}) {
      EXPECT_FALSE(EndsWith(surname, W(masculine))) << Utf8FromCp1251(name);
    }
  }
  EXPECT_GT(women, 4000);
}

TEST_F(GeneratedDirectory, HoldsOrganisationsCorporaAndCommonNameParts) {
  int companies = 0, entrepreneurs = 0, corpora = 0, ivan = 0;
  for (size_t i = 0; i < loaded->Owners.size(); ++i) {
    companies += loaded->Owners[i].starts_with(W("ООО «"));
    entrepreneurs += loaded->Owners[i].starts_with(W("ИП "));
  }
  for (const TPhone& phone : loaded->Phones) {
    corpora += !std::string_view(phone.Corpus).empty();
    ivan += TextPos(W("иван"), LowerText(loaded->OwnerName(phone))) > 0;
  }
  EXPECT_GT(companies, 100);
  EXPECT_GT(entrepreneurs, 100);
  EXPECT_GT(corpora, 1000);
  EXPECT_GT(ivan, 400);
  EXPECT_EQ(loaded->Cities[1], W("Москва"));
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
  const TNumberRanges tiny{.SmallCityDigits = 1, .MobileNumbers = 10};
  TTempDirectory first, second;
  GenerateDirectory(first.Path(), 4000, 5, tiny);
  GenerateDirectory(second.Path(), 4000, 5, tiny);
  EXPECT_EQ(FileBytes(first.FilePath("Phones.dbr")), FileBytes(second.FilePath("Phones.dbr")));
  const auto loaded = LoadDirectory(first.Path());
  ASSERT_EQ(loaded->Phones.size(), 4000u);
  std::set<std::string> numbers;
  size_t mobile = 0, longest = 0;
  for (const TPhone& phone : loaded->Phones) {
    const std::string_view number(phone.Number);
    ASSERT_TRUE(numbers.emplace(number).second) << number;
    if (number.starts_with("900000000")) {
      ++mobile;
      continue;
    }
    ASSERT_GE(number[0], '2') << number;
    longest = std::max(longest, number.size());
  }
  EXPECT_LE(mobile, 10u);
  EXPECT_GE(mobile, 5u);
  EXPECT_EQ(longest, 4u) << "8 one-digit, 80 two-digit and 800 three-digit numbers cannot number 4000 lines";
}
