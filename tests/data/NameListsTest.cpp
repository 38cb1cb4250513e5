#include <gtest/gtest.h>

#include "data/DataFile.h"
#include "data/Tables.h"
#include "tests/data/support/DirectoryFiles.h"
#include "tests/data/support/Win1251.h"

namespace {

std::vector<std::string> LoadedCities(const std::string& bytes) {
  TTempDirectory dir;
  dir.Write("Cities.dbr", bytes);
  SetDataDirectory(dir.Path());
  LoadCities();
  return Cities;
}

using Names = std::vector<std::string>;

}  // namespace

TEST(LoadCities, FileNamesFollowTheEmptyElement) {
  EXPECT_EQ(LoadedCities(NameRecord(W("Москва")) + NameRecord(W("Тверь"))), (Names{"", W("Москва"), W("Тверь")}));
}

TEST(LoadCities, EmptyFileGivesOnlyTheEmptyName) { EXPECT_EQ(LoadedCities(""), Names{""}); }

TEST(LoadCities, ZeroLengthNamesKeepTheirIndex) {
  EXPECT_EQ(LoadedCities(NameRecord("") + NameRecord("b")), (Names{"", "", "b"}));
}

TEST(LoadCities, NameOf255BytesAndAnyByteValues) {
  const std::string longName(255, '\xFF');
  const std::string odd("\0\x01\x98", 3);
  EXPECT_EQ(LoadedCities(NameRecord(longName) + NameRecord(odd)), (Names{"", longName, odd}));
}

TEST(LoadCities, FinalNameCutShortIsDropped) {
  EXPECT_EQ(LoadedCities(NameRecord("abc") + std::string("\x05xy")), (Names{"", "abc"}));
  EXPECT_EQ(LoadedCities(NameRecord("abc") + std::string("\x01")), (Names{"", "abc"}));
}

TEST(LoadCities, ReloadStartsAfresh) {
  LoadedCities(NameRecord("a") + NameRecord("b"));
  EXPECT_EQ(LoadedCities(NameRecord("c")), (Names{"", "c"}));
}

TEST(LoadStreets, ReadsItsOwnFileIntoStreets) {
  TTempDirectory dir;
  dir.Write("Streets.dbr", NameRecord(W("Ленина")));
  SetDataDirectory(dir.Path());
  LoadStreets();
  EXPECT_EQ(Streets, (Names{"", W("Ленина")}));
}

TEST(LoadNameLists, MissingFileRaisesWithItsPath) {
  TTempDirectory dir;
  SetDataDirectory(dir.Path() + "/");
  try {
    LoadStreets();
    FAIL() << "no error for a missing file";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.Code, 2);
    EXPECT_EQ(error.Path, dir.Path() + "/Streets.dbr");
  }
  SetDataDirectory(dir.Path() + "/none");
  EXPECT_THROW(LoadCities(), EInOutError);
}

TEST(DataFilePath, JoinsDirectoryAndNameWithOneDelimiter) {
  SetDataDirectory("/a/b");
  EXPECT_EQ(DataFilePath("Cities.dbr"), "/a/b/Cities.dbr");
  SetDataDirectory("/a/b/");
  EXPECT_EQ(DataFilePath("Phones.dbr"), "/a/b/Phones.dbr");
}

TEST(NameLookups, IndicesOutsideTheTableReadAsEmpty) {
  LoadedCities(NameRecord("a"));
  EXPECT_EQ(CityName(1), "a");
  EXPECT_EQ(CityName(0), "");
  EXPECT_EQ(CityName(2), "");
  EXPECT_EQ(CityName(-1), "");
  EXPECT_EQ(StreetName(65535), "");
}
