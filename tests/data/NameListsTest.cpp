#include <gtest/gtest.h>

#include "data/DataFile.h"
#include "data/DataFilePath.h"
#include "data/NameLists.h"
#include "tests/data/support/DirectoryFiles.h"
#include "tests/support/Cp1251Literal.h"

namespace {

std::vector<std::string> LoadedCities(const std::string& bytes, TDirectory& directory) {
  TTempDirectory dir;
  dir.Write("Cities.dbr", bytes);
  LoadCities(directory, dir.Path());
  return directory.Cities;
}

std::vector<std::string> LoadedCities(const std::string& bytes) {
  TDirectory directory;
  return LoadedCities(bytes, directory);
}

using Names = std::vector<std::string>;

}  // namespace

TEST(LoadCities, FileNamesFollowTheEmptyElement) {
  EXPECT_EQ(LoadedCities(NameRecord(Cp("Москва")) + NameRecord(Cp("Тверь"))), (Names{"", Cp("Москва"), Cp("Тверь")}));
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
  TDirectory directory;
  LoadedCities(NameRecord("a") + NameRecord("b"), directory);
  EXPECT_EQ(LoadedCities(NameRecord("c"), directory), (Names{"", "c"}));
}

std::string RepeatedName(size_t count, std::string_view name) {
  std::string bytes;
  for (size_t i = 0; i < count; ++i) bytes += NameRecord(name);
  return bytes;
}

// An index reaches 65,535 names of a file; the 65,536th is refused before it costs
// memory, however long the file is.
TEST(LoadCities, NamesNoIndexCanReachAreRefused) {
  EXPECT_EQ(LoadedCities(RepeatedName(65535, "")).size(), 65536u);
  EXPECT_EQ(LoadedCities(RepeatedName(65535, std::string(255, 'x'))).back(), std::string(255, 'x'));
  for (const std::string& bytes : {RepeatedName(65536, ""), RepeatedName(65536, "x") + std::string(20 << 20, '\0')}) {
    try {
      LoadedCities(bytes);
      FAIL() << "no error for a file of " << bytes.size() << " bytes";
    } catch (const EInOutError& error) {
      EXPECT_EQ(error.Code, 8);
      EXPECT_NE(std::string(error.what()).find("Cities.dbr"), std::string::npos) << error.what();
      EXPECT_NE(std::string(error.what()).find("65535"), std::string::npos) << error.what();
    }
  }
}

TEST(LoadStreets, ReadsItsOwnFileIntoStreets) {
  TTempDirectory dir;
  dir.Write("Streets.dbr", NameRecord(Cp("Ленина")));
  TDirectory directory;
  LoadStreets(directory, dir.Path());
  EXPECT_EQ(directory.Streets, (Names{"", Cp("Ленина")}));
}

TEST(LoadNameLists, MissingFileRaisesWithItsPath) {
  TTempDirectory dir;
  TDirectory directory;
  try {
    LoadStreets(directory, dir.Path() + "/");
    FAIL() << "no error for a missing file";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.Code, 2);
    EXPECT_EQ(error.Path, dir.Path() + "/Streets.dbr");
  }
  EXPECT_THROW(LoadCities(directory, dir.Path() + "/none"), EInOutError);
}

TEST(DataFilePath, JoinsDirectoryAndNameWithOneDelimiter) {
  EXPECT_EQ(DataFilePath("/a/b", "Cities.dbr"), "/a/b/Cities.dbr");
  EXPECT_EQ(DataFilePath("/a/b/", "Phones.dbr"), "/a/b/Phones.dbr");
  EXPECT_EQ(DataFilePath("", "Streets.dbr"), "./Streets.dbr");
}

TEST(NameLookups, IndicesOutsideTheTableReadAsEmpty) {
  TDirectory directory;
  LoadedCities(NameRecord("a"), directory);
  EXPECT_EQ(directory.CityName(1), "a");
  EXPECT_EQ(directory.CityName(0), "");
  EXPECT_EQ(directory.CityName(2), "");
  EXPECT_EQ(directory.CityName(-1), "");
  EXPECT_EQ(directory.StreetName(65535), "");
}
