#include "data/DirectoryFiles.h"

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "data/LoadDataThread.h"
#include "data/NameLists.h"
#include "tests/data/support/DirectoryFiles.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* FileNames[] = {"Cities.dbr", "Streets.dbr", "Phones.dbr"};

// The data tool's layout: each name a link through ".orlinar-current" to the
// generation folder that one rename switches. Every file of generation n holds n.
class TSwitchedFolder {
 public:
  TSwitchedFolder() {
    WriteGeneration(0);
    fs::create_directory_symlink(".orlinar-generation-0", dir_.FilePath(".orlinar-current"));
    for (const char* name : FileNames) fs::create_symlink(std::string(".orlinar-current/") + name, dir_.FilePath(name));
  }
  const TTempDirectory& Dir() const { return dir_; }

  void SwitchTo(int generation) {
    WriteGeneration(generation);
    const std::string link = dir_.FilePath(".orlinar-next");
    fs::create_directory_symlink(".orlinar-generation-" + std::to_string(generation), link);
    fs::rename(link, dir_.FilePath(".orlinar-current"));
    fs::remove_all(dir_.FilePath(".orlinar-generation-" + std::to_string(generation - 1)));
  }

 private:
  void WriteGeneration(int generation) {
    const std::string folder = ".orlinar-generation-" + std::to_string(generation);
    fs::create_directory(dir_.FilePath(folder));
    for (const char* name : FileNames) dir_.Write(folder + "/" + name, std::to_string(generation));
  }

  TTempDirectory dir_;
};

}  // namespace

TEST(DirectoryFiles, ThreeFilesComeFromOneGenerationWhileGenerationsSwitch) {
  TSwitchedFolder folder;
  std::atomic<bool> done{false};
  std::atomic<int> switches{0};
  std::thread switcher([&] {
    for (int generation = 1; !done; ++generation) {
      folder.SwitchTo(generation);
      ++switches;
    }
  });
  int mixed = 0;
  for (int start = 0; start < 200 || switches < 100; ++start) {
    TDirectoryFiles files(folder.Dir().Path());
    const std::string cities = ReadRest(*files.Take(TDirectoryFiles::CitiesFile));
    const std::string streets = ReadRest(*files.Take(TDirectoryFiles::StreetsFile));
    const std::string phones = ReadRest(*files.Take(TDirectoryFiles::PhonesFile));
    mixed += cities != streets || streets != phones;
  }
  done = true;
  switcher.join();
  EXPECT_EQ(mixed, 0);
}

TEST(DirectoryFiles, EachFailureWaitsForItsOwnFile) {
  TTempDirectory dir;
  dir.Write("Cities.dbr", "c");
  dir.Write("Streets.dbr", "s");
  TDirectoryFiles files(dir.Path());
  EXPECT_EQ(ReadRest(*files.Take(TDirectoryFiles::CitiesFile)), "c");
  try {
    files.Take(TDirectoryFiles::PhonesFile);
    FAIL() << "a missing Phones.dbr was taken";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.Code, 2);
    EXPECT_EQ(error.Path, dir.FilePath("Phones.dbr"));
  }
  EXPECT_EQ(ReadRest(*files.Take(TDirectoryFiles::StreetsFile)), "s");
  EXPECT_THROW(files.Take(TDirectoryFiles::CitiesFile), std::logic_error);
}

// Replaced after the open, the phones already held are still the ones the loader
// reads: those of the generation the names came from.
TEST(DirectoryFiles, TheLoaderReadsThePhonesHeldSinceTheNamesWereRead) {
  TTempDirectory dir;
  dir.Write("Cities.dbr", NameRecord("old"));
  dir.Write("Streets.dbr", "");
  dir.Write("Phones.dbr", OwnerRecord("old") + PhoneRecord(1, 1, 0, 0, 0));
  auto files = std::make_shared<TDirectoryFiles>(dir.Path());
  TDirectory directory;
  LoadCities(directory, *files);
  dir.Write("Phones.dbr.new", OwnerRecord("new") + PhoneRecord(2, 1, 0, 0, 0) + PhoneRecord(3, 1, 0, 0, 0));
  fs::rename(dir.FilePath("Phones.dbr.new"), dir.FilePath("Phones.dbr"));
  TLoadDataThread loader(
      directory, dir.Path(), [](const std::function<void()>& procedure) { procedure(); }, nullptr, files);
  loader.Join();
  ASSERT_TRUE(loader.DataLoaded()) << loader.LoadFailureText();
  ASSERT_EQ(directory.Phones.size(), 1u);
  EXPECT_EQ(directory.OwnerName(directory.Phones[0]), "old");
}
