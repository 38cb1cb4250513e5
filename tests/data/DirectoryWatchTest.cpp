#include "data/DirectoryWatch.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "tests/data/support/DirectoryFiles.h"

namespace {

namespace fs = std::filesystem;

class DirectoryWatch : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"Cities.dbr", "Streets.dbr", "Phones.dbr"}) dir_.Write(name, "generation 1");
  }
  TDirectoryWatch WatchOpened() const { return {dir_.Path(), TDirectoryFiles(dir_.Path()).Stamp()}; }
  // As an import does: a whole new file renamed over the old one.
  void Replace(const char* name, const char* bytes) const {
    dir_.Write(std::string(name) + ".new", bytes);
    fs::rename(dir_.FilePath(std::string(name) + ".new"), dir_.FilePath(name));
  }

  TTempDirectory dir_;
};

// A file that failed to open, missing here, stays as it was as well.
TEST_F(DirectoryWatch, FilesLeftAloneAreNeverReported) {
  fs::remove(dir_.FilePath("Phones.dbr"));
  TDirectoryWatch watch = WatchOpened();
  for (int look = 0; look < 3; ++look) EXPECT_FALSE(watch.Replaced());
}

// The first look after a change cannot tell a finished import from files copied one by one.
TEST_F(DirectoryWatch, AReplacementIsReportedOnceAndOnlyOnceItHasSettled) {
  TDirectoryWatch watch = WatchOpened();
  Replace("Cities.dbr", "generation 2");
  EXPECT_FALSE(watch.Replaced());
  Replace("Streets.dbr", "generation 2");
  EXPECT_FALSE(watch.Replaced());
  EXPECT_TRUE(watch.Replaced());
  EXPECT_FALSE(watch.Replaced());
}

TEST_F(DirectoryWatch, ARewriteInPlaceOfTheSameSizeIsSeenByItsTime) {
  TDirectoryWatch watch = WatchOpened();
  const fs::path phones = dir_.FilePath("Phones.dbr");
  const auto written = fs::last_write_time(phones);
  dir_.Write("Phones.dbr", "generation 9");
  fs::last_write_time(phones, written + std::chrono::seconds(1));
  watch.Replaced();
  EXPECT_TRUE(watch.Replaced());
}

TEST_F(DirectoryWatch, AFileAppearingWhereNoneWasIsAChange) {
  fs::remove(dir_.FilePath("Phones.dbr"));
  TDirectoryWatch watch = WatchOpened();
  dir_.Write("Phones.dbr", "generation 2");
  watch.Replaced();
  EXPECT_TRUE(watch.Replaced());
}

}  // namespace
